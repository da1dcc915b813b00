#pragma once

#include "ui/main/WordDialog.h"

// The add dialog "Ajouter": appends the entry to the main window's document.
class TForm2 : public lexifind::WordDialog
{
    Q_OBJECT
public:
    explicit TForm2(TForm1 &form1);

    void Button1Click() override;

    static constexpr int OuterLeft = 308;
    static constexpr int OuterTop = 281;
    static constexpr int OuterWidth = 375;
    static constexpr int OuterHeight = 123;
};
