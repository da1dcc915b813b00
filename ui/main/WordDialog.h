#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;
class TForm1;

namespace lexifind {

// What the add and the edit dialog share: a maroon panel with the two labels, the
// word and definition fields, the button, and the focus in the definition field when
// the dialog appears. Modeless: Enter presses the button, the close box only hides.
class WordDialog : public QDialog
{
    Q_OBJECT
public:
    // fieldsOnPanel: the two fields belong to the panel, else to the dialog (over the
    // panel).
    WordDialog(TForm1 &form1, const QString &caption, const QString &buttonCaption,
               bool fieldsOnPanel);

    QFrame *Panel1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Button1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    // Below the panel: a definition from the dictionary, and what it found.
    QPushButton *Propose1 = nullptr;
    QLabel *ProposeNote = nullptr;
    // The strip they take below the panel.
    static constexpr int ProposeStrip = 30;

    // The dialog's own command.
    virtual void Button1Click() = 0;

protected:
    void showEvent(QShowEvent *event) override;
    // Cleans the two fields in place (word first, then definition).
    void CleanFields();

    TForm1 &FForm1;
};

} // namespace lexifind
