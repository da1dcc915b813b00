#pragma once

#include "document/WordList.h"

#include <QByteArray>
#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTableWidget;

namespace lexifind {

// "Importer une liste": the separator found in the file, which the teacher may change,
// and the first rows as they will be read with it. Modal; OK imports, Annuler nothing.
class ImportListDialog : public QDialog
{
    Q_OBJECT
public:
    ImportListDialog(const QByteArray &bytes, QWidget *parent);

    QFrame *Panel1 = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *ComboBox1 = nullptr; // in the order of wordlist::Separator
    QLabel *Label2 = nullptr;
    QTableWidget *StringGrid1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;

    static constexpr int PreviewRows = 8;

    wordlist::Separator Choice() const;
    // The whole file as read with the separator chosen: the rows the import adds.
    const wordlist::Parsed &Rows();

private:
    void ComboBox1Change();

    QByteArray m_bytes;
    // Each reading made once, however often the teacher goes back to it.
    std::array<std::optional<wordlist::Parsed>, 4> m_parsed;
};

} // namespace lexifind
