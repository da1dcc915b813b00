#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixPalettePages.h"
#include "colordialog/HuemixWindow.h"
#include "page/PageSettings.h"
#include "ui/options/OptionWidgets.h"
#include "ui/main/Desktop.h"
#include "ui/main/Placement.h"
#include "ui/options/Unit5.h"

#include "../ui/Pictures.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <functional>

using lexifind::PageSettings;
using lexifind::options::ColorShape;
using lexifind::options::SymbolLabel;

namespace {

struct FieldOption
{
    const char *field;
    QString PageSettings::*option;
    const char *name;
};

// Which field writes which option.
const FieldOption kFields[] = {
    {"Edit1", &PageSettings::PageTitle, "PageTitle"},
    {"Edit2", &PageSettings::TextTitle, "TextTitle"},
    {"Edit3", &PageSettings::Instruction, "Instruction"},
    {"Edit4", &PageSettings::RightMessage, "RightMessage"},
    {"Edit5", &PageSettings::WrongMessage, "WrongMessage"},
    {"Edit6", &PageSettings::NextCaption, "NextCaption"},
    {"ComboBox1", &PageSettings::FontFamily, "FontFamily"},
    {"Edit7", &PageSettings::BackgroundColor, "BackgroundColor"},
    {"Edit8", &PageSettings::HighlightColor, "HighlightColor"},
    {"Edit9", &PageSettings::TextColor, "TextColor"},
    {"Edit10", &PageSettings::AnswerZoneColor, "AnswerZoneColor"},
    {"Edit11", &PageSettings::VocabularyBackColor, "VocabularyBackColor"},
    {"Edit12", &PageSettings::DoneMessage, "DoneMessage"},
    {"Edit13", &PageSettings::AnswerColor, "AnswerColor"},
    {"Edit14", &PageSettings::VocabularyTextColor, "VocabularyTextColor"},
    {"Edit15", &PageSettings::DefinitionColor, "DefinitionColor"},
    {"TextLanguage", &PageSettings::TextLanguage, "TextLanguage"},
    {"ScoreLabel", &PageSettings::ScoreLabel, "ScoreLabel"},
    {"RestartCaption", &PageSettings::RestartCaption, "RestartCaption"},
    {"FoundLabel", &PageSettings::FoundLabel, "FoundLabel"},
    {"MasteryScore", &PageSettings::MasteryScore, "MasteryScore"},
    {"RateLabel", &PageSettings::RateLabel, "RateLabel"},
    {"ShownMessage", &PageSettings::ShownMessage, "ShownMessage"},
    {"KeysHelp", &PageSettings::KeysHelp, "KeysHelp"},
};

struct ColorRow
{
    const char *button;
    const char *field;
    const char *shape;
    QString PageSettings::*option;
};

const ColorRow kColorRows[] = {
    {"Button2", "Edit7", "Shape1", &PageSettings::BackgroundColor},
    {"Button3", "Edit8", "Shape2", &PageSettings::HighlightColor},
    {"Button4", "Edit9", "Shape3", &PageSettings::TextColor},
    {"Button5", "Edit10", "Shape4", &PageSettings::AnswerZoneColor},
    {"Button7", "Edit13", "Shape6", &PageSettings::AnswerColor},
    {"Button6", "Edit11", "Shape5", &PageSettings::VocabularyBackColor},
    {"Button8", "Edit14", "Shape7", &PageSettings::VocabularyTextColor},
    {"select", "Edit15", "Shape8", &PageSettings::DefinitionColor},
};

// The line edit that takes the teacher's typing for a field.
QLineEdit *TypingTarget(TForm4 &form, const QString &field)
{
    if (auto *combo = form.findChild<QComboBox *>(field))
        return combo->lineEdit();
    return form.findChild<QLineEdit *>(field);
}

// Types the text key by key, as a teacher would, also letters beyond ASCII.
void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar ch : text) {
        const Qt::Key code = ch.unicode() < 0x80 ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, code, QString(ch), Qt::NoModifier);
    }
}

QString FieldText(TForm4 &form, const QString &field)
{
    if (auto *combo = form.findChild<QComboBox *>(field))
        return combo->currentText();
    return form.findChild<QLineEdit *>(field)->text();
}

// Answers the colour dialog once it runs modally: `act` gets its window and closes it.
void AnswerColorDialog(TForm4 &form, std::function<void(TfrmHuemixDialog *)> act,
                       int triesLeft = 300)
{
    QPointer<TForm4> guard(&form);
    QTimer::singleShot(10, [guard, act, triesLeft] {
        if (!guard)
            return;
        TfrmHuemixDialog *window = guard->HuemixDialog1->Window();
        if (!window || QApplication::activeModalWidget() != window) {
            if (triesLeft > 0)
                AnswerColorDialog(*guard, act, triesLeft - 1);
            return;
        }
        act(window);
    });
}

void Cancel(TfrmHuemixDialog *window)
{
    window->btnCancel->click();
}

std::function<void(TfrmHuemixDialog *)> ChooseAndConfirm(TColor color)
{
    return [color](TfrmHuemixDialog *window) {
        window->SetCurrentColor(color);
        window->btnOk->click();
    };
}

// Pixels of the widget's picture near the given colour.
int CountNear(QWidget *widget, const QColor &color, int tolerance = 60)
{
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.red() - color.red()) + qAbs(pixel.green() - color.green())
                    + qAbs(pixel.blue() - color.blue())
                < tolerance)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void startTextsStoreNothing();
    void fieldStoresItsOption_data();
    void fieldStoresItsOption();
    void editingRightMessage_data();
    void editingRightMessage();
    void pageStyleChoice();
    void fontList_data();
    void fontList();
    void closingKeepsFieldsAndOptions_data();
    void closingKeepsFieldsAndOptions();
    void symbolMarks_data();
    void symbolMarks();
    void cancelLeavesTheField_data();
    void cancelLeavesTheField();
    void chosenColourCarriesToNextButton();
    void escapeCloses_data();
    void escapeCloses();
    void lessonSettingsShown_data();
    void lessonSettingsShown();
    void addedRowsKeepTheWindow();
    void modernPlayChosenAndColoursThatAreNoneSaid();
    void picture();
};

void TestOptions::startTextsStoreNothing()
{
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QCOMPARE(form.windowTitle(), QStringLiteral("Paramètres web"));
    // Taller than the classic window by the tabs of the newer options only; its place
    // moved just enough to lie on the screen (800 x 600 offscreen).
    const QRect place(245, 276, 664, TForm4::OuterHeight);
    QCOMPARE(form.frameGeometry(),
             QRect(lexifind::PlacedWithin(place, form.screen()->availableGeometry()), place.size()));
    // The classic panels where they were, the tabs below them inside the frame.
    QCOMPARE(form.Panel1->pos(), QPoint(8, 8));
    QCOMPARE(form.Panel1->width(), 641);
    QCOMPARE(form.Panel2->geometry(), QRect(16, 40, 297, 233));
    QCOMPARE(form.Panel3->geometry(), QRect(328, 11, 297, 262));
    QCOMPARE(form.PageControl1->parentWidget(), form.Panel1);
    QVERIFY(form.PageControl1->geometry().top() > form.Panel2->geometry().bottom());
    QVERIFY(form.Panel1->rect().contains(form.PageControl1->geometry()));
    QCOMPARE(form.ComboBox2->currentText(), QStringLiteral("classique"));
    // The messages show what the page writes while they are left alone.
    QCOMPARE(form.Edit4->text(), QStringLiteral("C'est juste !"));
    QCOMPARE(form.Edit5->text(), QStringLiteral("Essayez encore !"));
    QCOMPARE(form.Edit6->text(), QStringLiteral("Suite..."));
    QCOMPARE(form.Edit12->text(), QStringLiteral("Terminé !"));
    QCOMPARE(form.ComboBox1->currentText(), QString());
    for (const FieldOption &row : kFields) {
        const QString name = QString::fromLatin1(row.field);
        if (name != "Edit4" && name != "Edit5" && name != "Edit6" && name != "Edit12")
            QVERIFY2(FieldText(form, name).isEmpty(), row.field);
    }
    // The others show the page's text greyed, where it has one.
    QCOMPARE(form.Edit3->placeholderText(), QStringLiteral("Trouvez dans le texte l'équivalent de :"));
    QCOMPARE(form.Edit11->placeholderText(), QStringLiteral("#ff9900"));
    QCOMPARE(form.ComboBox1->lineEdit()->placeholderText(), QStringLiteral("Arial, Helvetica, sans-serif"));
    QCOMPARE(form.Edit17->placeholderText(), QStringLiteral("Trouvés :"));
    // Neither creating nor showing the window writes an option.
    QCOMPARE(settings, PageSettings{});
}

void TestOptions::fieldStoresItsOption_data()
{
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(kFields)); ++i)
        QTest::newRow(kFields[i].field) << i;
}

void TestOptions::fieldStoresItsOption()
{
    QFETCH(int, row);
    const FieldOption &field = kFields[row];
    PageSettings settings;
    TForm4 form(settings);
    QSignalSpy stored(&form, &TForm4::optionChanged);
    QLineEdit *target = TypingTarget(form, QString::fromLatin1(field.field));
    QVERIFY(target);

    // Typing: every keystroke stores the whole text, once.
    target->end(false);
    TypeText(target, QStringLiteral("Ab é"));
    const QString typed = FieldText(form, QString::fromLatin1(field.field));
    QVERIFY(typed.endsWith(QStringLiteral("Ab é")));
    PageSettings expected;
    expected.*field.option = typed;
    QCOMPARE(settings, expected);
    QCOMPARE(stored.count(), 4);
    QCOMPARE(stored.last().at(0).toString(), QString::fromLatin1(field.name));

    // Setting the text already there is no change.
    target->setText(typed);
    QCOMPARE(stored.count(), 4);

    // Pasting over everything.
    QGuiApplication::clipboard()->setText(QStringLiteral("#ff0000 collé"));
    target->selectAll();
    target->paste();
    expected.*field.option = QStringLiteral("#ff0000 collé");
    QCOMPARE(settings, expected);
    QCOMPARE(stored.count(), 5);

    // Emptying the field empties the option.
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Delete);
    expected.*field.option = QString();
    QCOMPARE(settings, expected);
    QCOMPARE(stored.count(), 6);
}

void TestOptions::editingRightMessage_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("stored");
    // '\b' stands for Backspace.
    QTest::newRow("changed and changed back") << QStringLiteral("\b!") << QStringLiteral("C'est juste !");
    QTest::newRow("shortened") << QStringLiteral("\b\b") << QStringLiteral("C'est juste");
    QTest::newRow("only blanks left") << QStringLiteral("\b\b\b\b\b\b\b\b\b\b\b\b ")
                                      << QStringLiteral("C ");
    QTest::newRow("emptied") << QStringLiteral("\b\b\b\b\b\b\b\b\b\b\b\b\b") << QString();
}

void TestOptions::editingRightMessage()
{
    QFETCH(QString, keys);
    QFETCH(QString, stored);
    PageSettings settings;
    TForm4 form(settings);
    form.Edit4->end(false);
    for (const QChar key : keys) {
        if (key == u'\b')
            QTest::keyClick(form.Edit4, Qt::Key_Backspace);
        else
            QTest::keyClicks(form.Edit4, QString(key));
    }
    QCOMPARE(form.Edit4->text(), stored);
    QCOMPARE(settings.RightMessage, stored);
    // The other start texts stay in their fields only.
    QVERIFY(settings.WrongMessage.isEmpty());
    QVERIFY(settings.NextCaption.isEmpty());
    QVERIFY(settings.DoneMessage.isEmpty());
}

void TestOptions::pageStyleChoice()
{
    PageSettings settings;
    TForm4 form(settings);
    QSignalSpy stored(&form, &TForm4::optionChanged);
    QCOMPARE(form.ComboBox2->count(), 2);
    QVERIFY(!form.ComboBox2->isEditable());

    form.ComboBox2->setCurrentIndex(1);
    QCOMPARE(settings.PageStyle, QStringLiteral("moderne"));
    QVERIFY(settings.IsModernStyle());
    form.ComboBox2->setCurrentIndex(0);
    QCOMPARE(settings.PageStyle, QStringLiteral("classique"));
    QVERIFY(!settings.IsModernStyle());
    QCOMPARE(stored.count(), 2);
    QCOMPARE(stored.last().at(0).toString(), QStringLiteral("PageStyle"));
    PageSettings expected;
    expected.PageStyle = QStringLiteral("classique");
    QCOMPARE(settings, expected);
}

void TestOptions::fontList_data()
{
    QTest::addColumn<int>("pick");      // item index to pick first, -1 for none
    QTest::addColumn<QString>("typed"); // then typed at the end of the text
    QTest::addColumn<bool>("enter");    // then Enter
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("changes");

    QTest::newRow("item 3 keeps both blanks")
        << 2 << QString() << false << QStringLiteral("Gill Sans MT,  sans-serif") << 1;
    QTest::newRow("last item") << 9 << QString() << false
                               << QStringLiteral("Tempus Sans ITC, fantasy") << 1;
    QTest::newRow("typed prefix is not completed")
        << -1 << QStringLiteral("Ari") << false << QStringLiteral("Ari") << 3;
    QTest::newRow("typed lower-case prefix is not completed")
        << -1 << QStringLiteral("times") << false << QStringLiteral("times") << 5;
    QTest::newRow("Enter adds no item")
        << -1 << QStringLiteral("Foo") << true << QStringLiteral("Foo") << 3;
    QTest::newRow("item then typing")
        << 0 << QStringLiteral(", x") << true
        << QStringLiteral("Arial, Helvetica, sans-serif, x") << 4;
}

void TestOptions::fontList()
{
    QFETCH(int, pick);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QString, stored);
    QFETCH(int, changes);

    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QSignalSpy spy(&form, &TForm4::optionChanged);
    QComboBox *combo = form.ComboBox1;
    const QStringList itemsBefore = [combo] {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }();
    QCOMPARE(itemsBefore.size(), 10);

    // With the focus there, as when the teacher types: completion acts only then.
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    combo->setFocus();
    QTRY_VERIFY(combo->lineEdit()->hasFocus());
    if (pick >= 0)
        combo->setCurrentIndex(pick);
    combo->lineEdit()->end(false);
    if (!typed.isEmpty())
        QTest::keyClicks(combo->lineEdit(), typed);
    if (enter)
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);

    QCOMPARE(combo->currentText(), stored);
    QCOMPARE(settings.FontFamily, stored);
    QCOMPARE(spy.count(), changes);
    QStringList itemsAfter;
    for (int i = 0; i < combo->count(); ++i)
        itemsAfter << combo->itemText(i);
    QCOMPARE(itemsAfter, itemsBefore);
}

void TestOptions::closingKeepsFieldsAndOptions_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("OK button") << true;
    QTest::newRow("close box") << false;
}

void TestOptions::closingKeepsFieldsAndOptions()
{
    QFETCH(bool, byButton);
    PageSettings settings;
    QWidget mainWindow;
    QPointer<TForm4> form = new TForm4(settings, &mainWindow);
    QVERIFY(form->isWindow());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QTest::keyClicks(form->Edit1, QStringLiteral("Les animaux"));
    QTest::keyClicks(form->Edit9, QStringLiteral("navy"));
    form->ComboBox1->setCurrentIndex(7);
    const PageSettings before = settings;

    if (byButton)
        QTest::mouseClick(form->Button1, Qt::LeftButton);
    else
        QVERIFY(form->close());
    QVERIFY(form);
    QVERIFY(!form->isVisible());
    QCOMPARE(settings, before);

    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QCOMPARE(form->Edit1->text(), QStringLiteral("Les animaux"));
    QCOMPARE(form->Edit9->text(), QStringLiteral("navy"));
    QCOMPARE(form->Edit4->text(), QStringLiteral("C'est juste !"));
    QCOMPARE(form->ComboBox1->currentText(), QStringLiteral("Courier New, courier, mono"));
    QCOMPARE(settings, before);
    QCOMPARE(settings.PageTitle, QStringLiteral("Les animaux"));
}

void TestOptions::symbolMarks_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QColor>("color");
    QTest::newRow("right answer: green") << "Label5" << "Edit4" << QColor(0x00, 0x80, 0x00);
    QTest::newRow("wrong answer: red") << "Label6" << "Edit5" << QColor(0xFF, 0x00, 0x00);
    QTest::newRow("button caption: black") << "Label7" << "Edit6" << QColor(0, 0, 0);
}

void TestOptions::symbolMarks()
{
    QFETCH(QString, label);
    QFETCH(QString, field);
    QFETCH(QColor, color);
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    auto *mark = form.findChild<SymbolLabel *>(label);
    auto *edit = form.findChild<QLineEdit *>(field);
    QVERIFY(mark && edit);
    QVERIFY(mark->isVisible());
    // Beside its field: left of it, on the same line.
    QVERIFY(mark->geometry().right() < edit->geometry().left());
    QVERIFY(mark->geometry().top() <= edit->geometry().bottom());
    QVERIFY(mark->geometry().bottom() >= edit->geometry().top());

    // Drawn in its own colour, and clearly: a good share of the label.
    const int inColour = CountNear(mark, color);
    QVERIFY2(inColour >= 40, qPrintable(QString::number(inColour)));
    // Not the same figure as the other two marks in another colour.
    const auto figure = [](QWidget *widget) {
        QImage image = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qGray(image.pixel(x, y)) > 200 ? 0xFFFFFFFF : 0xFF000000);
        return image;
    };
    for (const char *other : {"Label5", "Label6", "Label7"}) {
        if (label != QLatin1String(other))
            QVERIFY(figure(mark) != figure(form.findChild<SymbolLabel *>(other)));
    }
}

void TestOptions::cancelLeavesTheField_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("before"); // the field's text
    QTest::addColumn<bool>("escape");    // Escape, else the Cancel button
    for (int i = 0; i < int(std::size(kColorRows)); ++i)
        QTest::newRow(kColorRows[i].button) << i << (i % 2 ? QStringLiteral("#123456") : QString())
                                            << (i % 3 == 0);
}

void TestOptions::cancelLeavesTheField()
{
    QFETCH(int, row);
    QFETCH(QString, before);
    QFETCH(bool, escape);
    const ColorRow &colorRow = kColorRows[row];
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *button = form.findChild<QPushButton *>(colorRow.button);
    auto *field = form.findChild<QLineEdit *>(colorRow.field);
    auto *shape = form.findChild<ColorShape *>(colorRow.shape);
    QVERIFY(button && field && shape);
    QCOMPARE(button->text(), QStringLiteral("choisir"));
    field->setText(before);
    // A pale colour chosen for another row first: the dialog opens on it.
    AnswerColorDialog(form, ChooseAndConfirm(0x00F0F0F0));
    QTest::mouseClick(row == 0 ? form.select : form.Button2, Qt::LeftButton);
    const PageSettings chosen = settings;

    QSignalSpy stored(&form, &TForm4::optionChanged);
    bool answered = false;
    AnswerColorDialog(form, [&answered, escape](TfrmHuemixDialog *window) {
        answered = true;
        if (escape)
            QTest::keyClick(window, Qt::Key_Escape);
        else
            Cancel(window);
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(answered);
    QVERIFY(!form.HuemixDialog1->Window());
    QCOMPARE(field->text(), before);
    QCOMPARE(settings, chosen);
    QCOMPARE(stored.count(), 0);
    QCOMPARE(shape->brushColor(), QColor(Qt::white));
}

void TestOptions::chosenColourCarriesToNextButton()
{
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Red for the background, confirmed. The dialog offers its Internet page alone.
    int visibleTabs = -1;
    bool onInternetPage = false;
    AnswerColorDialog(form, [&](TfrmHuemixDialog *window) {
        visibleTabs = 0;
        for (int i = 0; i < window->pgcSystems->count(); ++i)
            visibleTabs += window->pgcSystems->isTabVisible(i) ? 1 : 0;
        onInternetPage = window->pgcSystems->currentWidget() == static_cast<QWidget *>(window->tshInternet);
        ChooseAndConfirm(0x000000FF)(window);
    });
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    QCOMPARE(visibleTabs, 1);
    QVERIFY(onInternetPage);
    QCOMPARE(form.Edit7->text(), QStringLiteral("#FF0000"));
    QCOMPARE(settings.BackgroundColor, QStringLiteral("#FF0000"));
    QCOMPARE(form.Shape1->brushColor(), QColor(0xFF, 0x00, 0x00));

    // The highlight's dialog opens on red; confirming writes red.
    TColor openedOn = -1;
    AnswerColorDialog(form, [&openedOn](TfrmHuemixDialog *window) {
        openedOn = window->GetCurrentColor();
        window->btnOk->click();
    });
    QTest::mouseClick(form.Button3, Qt::LeftButton);
    QCOMPARE(openedOn, TColor(0x000000FF));
    QCOMPARE(form.Edit8->text(), QStringLiteral("#FF0000"));
    QCOMPARE(settings.HighlightColor, QStringLiteral("#FF0000"));
    QCOMPARE(form.Shape2->brushColor(), QColor(0xFF, 0x00, 0x00));

    // A colour typed into a field goes into the option only; the sample keeps the last
    // colour chosen through its button.
    form.Edit7->setText(QStringLiteral("#00ff00"));
    QCOMPARE(settings.BackgroundColor, QStringLiteral("#00ff00"));
    QCOMPARE(form.Shape1->brushColor(), QColor(0xFF, 0x00, 0x00));

    // The definitions' colour picked as the teacher does: a click in the web-safe grid
    // (its bottom-left cell), then OK.
    TColor picked = -1;
    AnswerColorDialog(form, [&picked](TfrmHuemixDialog *window) {
        auto *grid = window->findChild<QWidget *>(QStringLiteral("pntInternet"));
        if (grid) {
            QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(3, grid->height() - 3));
            picked = window->GetCurrentColor();
        }
        window->btnOk->click();
    });
    QTest::mouseClick(form.select, Qt::LeftButton);
    QVERIFY(picked >= 0);
    QVERIFY(picked != 0x000000FF);
    QCOMPARE(form.Edit15->text(), QString::fromStdString(ColorToWeb(picked)));
    QCOMPARE(settings.DefinitionColor, form.Edit15->text());
    QCOMPARE(form.Shape8->brushColor().rgb() & 0xFFFFFF,
             QRgb(((picked & 0xFF) << 16) | (picked & 0xFF00) | ((picked >> 16) & 0xFF)));
    QCOMPARE(form.Shape2->brushColor(), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(form.Shape3->brushColor(), QColor(Qt::white));
}

void TestOptions::escapeCloses_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("text field") << "Edit1";
    QTest::newRow("font list") << "ComboBox1";
    QTest::newRow("a newer option") << "MasteryScore";
}

void TestOptions::escapeCloses()
{
    QFETCH(QString, field);
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit *target = TypingTarget(form, field);
    QTest::keyClicks(target, QStringLiteral("x"));
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QCOMPARE(FieldText(form, field), QStringLiteral("x"));
}

void TestOptions::lessonSettingsShown_data()
{
    QTest::addColumn<QStringList>("options"); // name=value
    QTest::addColumn<QStringList>("shown");   // field=text
    QTest::addColumn<QColor>("background");   // Shape1
    QTest::newRow("none: the start texts")
        << QStringList{}
        << QStringList{"Edit1=", "Edit4=C'est juste !", "Edit6=Suite...", "ComboBox1=",
                       "Edit7=", "PageStyle=classique", "MasteryScore="}
        << QColor(Qt::white);
    QTest::newRow("a lesson's own")
        << QStringList{"PageTitle=Le marché", "RightMessage=Bravo !", "FontFamily=Courier New, mono",
                       "BackgroundColor=#FFEEDD", "PageStyle=moderne", "MasteryScore=80"}
        // The modern page's own caption, as it writes it.
        << QStringList{"Edit1=Le marché", "Edit4=Bravo !", "Edit6=Suite",
                       "ComboBox1=Courier New, mono", "Edit7=#FFEEDD", "PageStyle=moderne",
                       "MasteryScore=80"}
        << QColor(0xFF, 0xEE, 0xDD);
    QTest::newRow("no colour, an unknown style")
        << QStringList{"BackgroundColor=papier", "PageStyle=ancien"}
        << QStringList{"Edit7=papier", "PageStyle=ancien"} << QColor(Qt::white);
}

void TestOptions::lessonSettingsShown()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, shown);
    QFETCH(QColor, background);
    PageSettings settings;
    TForm4 form(settings);
    // Fields the teacher had changed before the lesson was opened.
    form.Edit1->setText(QStringLiteral("avant"));
    form.Edit4->setText(QStringLiteral("avant"));
    form.ComboBox2->setCurrentIndex(1);
    AnswerColorDialog(form, ChooseAndConfirm(0x000000FF));
    form.Button2->click();

    settings = PageSettings();
    for (const QString &option : options)
        *settings.option(option.section(u'=', 0, 0)) = option.section(u'=', 1);
    const PageSettings restored = settings;
    QSignalSpy stored(&form, &TForm4::optionChanged);
    form.ShowSettings();
    for (const QString &field : shown)
        QCOMPARE(FieldText(form, field.section(u'=', 0, 0)), field.section(u'=', 1));
    QCOMPARE(form.Shape1->brushColor(), background);
    QCOMPARE(stored.count(), 0);
    QCOMPARE(settings, restored);
}

// Options added by name go into their tab: the window keeps its size and its place on
// a 1366 x 768 screen, every field stays reachable, every label in line with the
// classic labels above and clear of its field.
void TestOptions::addedRowsKeepTheWindow()
{
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QSize size = form.size();
    const QRect laptop(0, 0, 1366, 768 - 40); // above a task bar
    const QRect place(TForm4::OuterLeft, TForm4::OuterTop, TForm4::OuterWidth, TForm4::OuterHeight);
    QVERIFY(laptop.contains(QRect(lexifind::PlacedWithin(place, laptop), place.size())));
    QSignalSpy stored(&form, &TForm4::optionChanged);
    const QWidget *panel = form.Panel1;
    const int leftLabels = form.Label2->mapTo(panel, QPoint()).x();
    const int rightLabels = form.Label9->mapTo(panel, QPoint()).x();
    for (int i = 0; i < 14; ++i) {
        auto *choice = new QComboBox;
        choice->addItems({QStringLiteral("un"), QStringLiteral("deux")});
        QWidget *field = form.AddOptionRow(TForm4::OptionGroup::Dictionary, QStringLiteral("Essai%1").arg(i),
                                           QStringLiteral("Option numéro %1 de la liste :").arg(i),
                                           i % 3 ? nullptr : choice);
        if (i % 3)
            delete choice;
        QCOMPARE(form.OptionField(QStringLiteral("Essai%1").arg(i)), field);
        QCOMPARE(form.size(), size);
        form.PageControl1->setCurrentIndex(2);
        auto *area = qobject_cast<QScrollArea *>(form.PageControl1->currentWidget());
        area->ensureWidgetVisible(field);
        QTRY_VERIFY(field->visibleRegion().boundingRect().size() == field->size());
        auto *label = qobject_cast<QLabel *>(field->parentWidget()->findChildren<QLabel *>().last());
        QCOMPARE(label->buddy(), field);
        // The tab holds the text's language and the dictionary first.
        QCOMPARE(label->mapTo(panel, QPoint()).x(), i % 2 ? rightLabels : leftLabels);
        QVERIFY(label->geometry().right() < field->geometry().left());
        if (auto *edit = qobject_cast<QLineEdit *>(field))
            edit->setText(QStringLiteral("x"));
        else
            qobject_cast<QComboBox *>(field)->setCurrentIndex(1);
        QCOMPARE(stored.last().at(0).toString(), QStringLiteral("Essai%1").arg(i));
    }
    QCOMPARE(settings, PageSettings{}); // names the settings do not know store nothing
    // The tab scrolls instead.
    QTRY_VERIFY(qobject_cast<QScrollArea *>(form.PageControl1->currentWidget())->verticalScrollBar()->isVisible());
    QVERIFY(!SavePicture(&form, QStringLiteral("page-options-many")).isEmpty());
}

void TestOptions::modernPlayChosenAndColoursThatAreNoneSaid()
{
    QStringList told;
    lexifind::desktop().showWarning = [&told](const QString &text) { told << text; };
    PageSettings settings;
    TForm4 form(settings);
    for (const auto &[name, item] : {std::pair{"AutoNext", "oui"}, {"QuestionOrder", "hasard"}, {"Pronounce", "oui"}}) {
        auto *box = qobject_cast<QComboBox *>(form.OptionField(QString::fromLatin1(name)));
        QVERIFY2(box, name);
        box->setCurrentText(QString::fromLatin1(item));
        QCOMPARE(*settings.option(QString::fromLatin1(name)), QString::fromLatin1(item));
    }
    // The tries before a word is shown take digits only.
    auto *tries = qobject_cast<QLineEdit *>(form.OptionField(QStringLiteral("ShowAnswerAfter")));
    QTest::keyClicks(tries, QStringLiteral("1x2"));
    QCOMPARE(settings.ShowAnswerAfter, QStringLiteral("12"));
    // A colour that is none is said once, when the field is left; the option keeps it.
    const std::pair<const char *, int> colours[] = {{"#FFEEDD", 0}, {"red;}", 1}, {"red;}", 1}, {"rouge", 2}};
    for (const auto &[text, count] : colours) {
        form.Edit7->setText(QString::fromUtf8(text));
        emit form.Edit7->editingFinished();
        QCOMPARE(told.size(), count);
        QCOMPARE(settings.BackgroundColor, QString::fromUtf8(text));
    }
    QCOMPARE(told.first(), QStringLiteral("« red;} » n'est pas une couleur : la page moderne garde sa propre "
                                          "couleur, la page classique écrit le texte tel quel."));
    lexifind::resetDesktop();
}

void TestOptions::picture()
{
    PageSettings settings;
    TForm4 form(settings);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // No caption runs under the control beside it, whatever face stands in for the
    // classic one.
    for (QLabel *label : form.findChildren<QLabel *>()) {
        for (QObject *object : label->parent()->children()) {
            auto *sibling = qobject_cast<QWidget *>(object);
            if (sibling && sibling != label && !qobject_cast<QLabel *>(sibling))
                QVERIFY2(!label->geometry().intersects(sibling->geometry()),
                         qPrintable(label->objectName() + " / " + sibling->objectName()));
        }
    }

    const QString file = SavePicture(&form, QStringLiteral("page-options"));
    QVERIFY(!file.isEmpty());
    QVERIFY(QFileInfo(file).size() > 0);

    // The font list as it drops down.
    form.ComboBox1->showPopup();
    QWidget *popup = form.ComboBox1->view()->window();
    QTRY_VERIFY(popup->isVisible());
    QVERIFY(!SavePicture(popup, QStringLiteral("page-options-fonts")).isEmpty());
    form.ComboBox1->hidePopup();
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
