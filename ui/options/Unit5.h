#pragma once

#include "page/PageSettings.h"
#include "ui/options/OptionPanel.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>

class QCloseEvent;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QMoveEvent;
class QResizeEvent;
class QShowEvent;
class THuemixDialog;

class QKeyEvent;

namespace lexifind::options {
class ColorShape;
class DictionaryBox;
class SymbolLabel;
} // namespace lexifind::options

// The page options window "Paramètres web": every field writes its page option the
// moment it changes; the eight "choisir" buttons share one colour dialog. Closing only
// hides the window, so its fields keep what the teacher left in them.
class TForm4 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(lexifind::PageSettings &settings, QWidget *parent = nullptr);
    ~TForm4() override;

    using ColorShape = lexifind::options::ColorShape;
    using SymbolLabel = lexifind::options::SymbolLabel;

    QFrame *Panel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QFrame *Panel3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    SymbolLabel *Label5 = nullptr;
    SymbolLabel *Label6 = nullptr;
    SymbolLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    QLabel *Label13 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QLineEdit *Edit4 = nullptr;
    QLineEdit *Edit5 = nullptr;
    QLineEdit *Edit6 = nullptr;
    QComboBox *ComboBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *Edit9 = nullptr;
    QLineEdit *Edit10 = nullptr;
    QLineEdit *Edit11 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *Button4 = nullptr;
    QPushButton *Button5 = nullptr;
    QPushButton *Button6 = nullptr;
    THuemixDialog *HuemixDialog1 = nullptr;
    ColorShape *Shape1 = nullptr;
    ColorShape *Shape2 = nullptr;
    ColorShape *Shape3 = nullptr;
    ColorShape *Shape4 = nullptr;
    ColorShape *Shape5 = nullptr;
    QLabel *Label14 = nullptr;
    QLineEdit *Edit12 = nullptr;
    QLabel *Label15 = nullptr;
    ColorShape *Shape6 = nullptr;
    ColorShape *Shape7 = nullptr;
    QPushButton *Button7 = nullptr;
    QLineEdit *Edit13 = nullptr;
    QLabel *Label16 = nullptr;
    QLineEdit *Edit14 = nullptr;
    QPushButton *Button8 = nullptr;
    QLabel *Label17 = nullptr;
    ColorShape *Shape8 = nullptr;
    QPushButton *select = nullptr;
    QLineEdit *Edit15 = nullptr;
    // The options beyond the classic page, in tabs inside the frame, below the classic
    // panels (see AddOptionRow).
    lexifind::options::OptionPanel *PageControl1 = nullptr;
    QLineEdit *Edit16 = nullptr;   // TextLanguage
    QComboBox *ComboBox2 = nullptr; // PageStyle
    QLineEdit *Edit17 = nullptr;   // ScoreLabel
    QLineEdit *Edit18 = nullptr;   // RestartCaption
    QLineEdit *Edit19 = nullptr;   // FoundLabel
    QLineEdit *Edit20 = nullptr;   // MasteryScore
    lexifind::options::DictionaryBox *ComboBox3 = nullptr; // Dictionary

    using OptionGroup = lexifind::options::OptionGroup;
    // Adds a labelled field for the option `name` (as PageSettings::option knows it) to
    // the tab of group: the field writes the option the moment it changes and shows it
    // when a lesson's options are restored. field is a QLineEdit or a QComboBox (an
    // editable one stores its text, another its current item); nullptr makes a
    // QLineEdit. The field is named after the option; it is returned.
    QWidget *AddOptionRow(OptionGroup group, const QString &name, const QString &label,
                          QWidget *field = nullptr);
    // The field of an option, classic or added; nullptr for none.
    QWidget *OptionField(const QString &name) const;

    // Every field shows its option as the settings now hold it (a lesson was opened):
    // an empty message shows the text the page writes for it; a colour's sample takes
    // the field's colour. Writes no option.
    void ShowSettings();
    // The defaults the fields show follow the page style.
    void ShowStyleDefaults();

    void Button1Click();
    void Edit1Change();
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void ComboBox1Change();
    void Edit7Change();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void Edit8Change();
    void Edit9Change();
    void Edit10Change();
    void Edit11Change();
    void Edit12Change();
    void Edit13Change();
    void Button7Click();
    void Edit14Change();
    void Button8Click();
    void Edit15Change();
    void selectClick();

    // The window's place and outer size (frame included) when it is first shown.
    static constexpr int OuterLeft = 245;
    static constexpr int OuterTop = 276;
    static constexpr int OuterWidth = 664;
    // Taller than the classic window by the tabs of the newer options, whatever their
    // number.
    static constexpr int OuterHeight = 337 + 120;

signals:
    // After a field has written its option; name as in PageSettings::OptionNames().
    void optionChanged(const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void CreateControls();
    void CreateNewerOptions();
    void SetUpColorDialog();
    void ConnectHandlers();
    void SetTabOrder();
    void StoreOption(QString lexifind::PageSettings::*option, const QString &name,
                     const QString &text);
    void StoreOption(const QString &name, const QString &text);
    void ChooseColor(QLineEdit *field, ColorShape *shape);
    void PlaceOuter();

    lexifind::PageSettings &FSettings;
    QPoint FOffset; // from its own place: a second program's windows stand apart
    bool FPlaced = false;
    QPoint FPlace; // where the window was first placed, on the screen
    bool FFrameUnknown = true;
    struct AddedOption
    {
        QString name;
        QWidget *field;
    };
    QList<AddedOption> FAddedOptions;
};
