#pragma once

#include "ui/main/WordDialog.h"

// The edit dialog "Editer": replaces the entry at the position kept in the hidden
// Edit3, whatever entry sits there when OK is pressed.
class TForm3 : public lexifind::WordDialog
{
    Q_OBJECT
public:
    explicit TForm3(TForm1 &form1);

    QLineEdit *Edit3 = nullptr;

    // Refuses, with the error box, a position that names no entry any more (entries
    // removed, a new document, another project): nothing is written then, and the
    // fields keep what the teacher typed.
    void Button1Click() override;

    static constexpr int OuterLeft = 257;
    static constexpr int OuterTop = 221;
    static constexpr int OuterWidth = 374;
    static constexpr int OuterHeight = 121;
};
