#pragma once

#include "page/PageSettings.h"

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
    // The options of the modern page and of packages, on a panel of their own below.
    QFrame *Panel4 = nullptr;
    QLabel *Label18 = nullptr;
    QLineEdit *Edit16 = nullptr;
    QLabel *Label19 = nullptr;
    QComboBox *ComboBox2 = nullptr;
    QLabel *Label20 = nullptr;
    QLineEdit *Edit17 = nullptr;
    QLabel *Label21 = nullptr;
    QLineEdit *Edit18 = nullptr;
    QLabel *Label22 = nullptr;
    QLineEdit *Edit19 = nullptr;
    QLabel *Label23 = nullptr;
    QLineEdit *Edit20 = nullptr;
    QLabel *Label24 = nullptr;
    lexifind::options::DictionaryBox *ComboBox3 = nullptr;

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
    void Edit16Change();
    void ComboBox2Change();
    void Edit17Change();
    void Edit18Change();
    void Edit19Change();
    void Edit20Change();

    // The window's place and outer size (frame included) when it is first shown.
    static constexpr int OuterLeft = 245;
    static constexpr int OuterTop = 276;
    static constexpr int OuterWidth = 664;
    // Taller than the classic window by the panel of the newer options.
    static constexpr int OuterHeight = 337 + 133;

signals:
    // After a field has written its option; name as in PageSettings::OptionNames().
    void optionChanged(const QString &name);

protected:
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
    void ChooseColor(QLineEdit *field, ColorShape *shape);
    void PlaceOuter();

    lexifind::PageSettings &FSettings;
    bool FPlaced = false;
    QPoint FPlace; // where the window was first placed, on the screen
    bool FFrameUnknown = true;
};
