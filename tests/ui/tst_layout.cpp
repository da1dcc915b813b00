// Every window as the desktop's faces draw it: each caption whole, in its place,
// overlapping no control. Run once with the desktop's fonts and once with a font set
// of DejaVu faces only (LEXIFIND_FONT_SET=dejavu, with a fontconfig file of the tests).

#include "FakeDesktop.h"
#include "Pictures.h"

#include "colordialog/HuemixDialog.h"
#include "colordialog/HuemixWindow.h"
#include "ui/main/ImportListDialog.h"
#include "ui/main/Look.h"
#include "ui/main/Unit1.h"
#include "ui/main/Unit2.h"
#include "ui/main/Unit3.h"
#include "ui/main/Unit4.h"
#include "ui/options/Unit5.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace lexifind;

namespace {

QString fontSet()
{
    return qEnvironmentVariable("LEXIFIND_FONT_SET", QStringLiteral("desktop"));
}

QRect inWindow(const QWidget *widget)
{
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

bool isAncestor(const QWidget *ancestor, const QWidget *widget)
{
    for (const QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
        if (w == ancestor)
            return true;
    return false;
}

// The faults found in one window: a caption that does not fit its control, a label
// that runs under a control that is not one of its containers.
QStringList layoutFaults(QWidget *window, int &checked)
{
    QStringList faults;
    QList<QWidget *> shown;
    for (QWidget *widget : window->findChildren<QWidget *>())
        if (widget->isVisibleTo(window) && !widget->objectName().startsWith(u"qt_"))
            shown << widget;
    for (QWidget *widget : std::as_const(shown)) {
        const QString name = widget->objectName();
        // Nothing with a caption is cut by the edge of its container.
        const QWidget *parent = widget->parentWidget();
        if ((qobject_cast<QLabel *>(widget) || qobject_cast<QAbstractButton *>(widget)) && parent
            && parent != window && !parent->objectName().startsWith(u"qt_")
            && !inWindow(parent).contains(inWindow(widget)))
            faults << name + QStringLiteral(" goes beyond ") + parent->objectName();
        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->text().isEmpty()) {
            ++checked;
            const QSize need = label->sizeHint();
            if (need.width() > label->width())
                faults << QStringLiteral("%1 \"%2\" needs %3 pixels, has %4")
                              .arg(name, label->text()).arg(need.width()).arg(label->width());
            for (QWidget *other : std::as_const(shown)) {
                if (other == label || qobject_cast<QLabel *>(other) || isAncestor(other, label)
                    || isAncestor(label, other))
                    continue;
                if (inWindow(label).intersects(inWindow(other)))
                    faults << name + QStringLiteral(" runs under ") + other->objectName();
            }
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget);
                   button && !button->text().isEmpty() && !name.isEmpty()) {
            ++checked;
            QString text = button->text();
            text.remove(u'&');
            // A check box or a radio button needs its box and its text; a push button
            // its text inside its edges.
            const bool boxed = qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button);
            if (boxed ? button->sizeHint().width() > button->width()
                      : button->fontMetrics().horizontalAdvance(text) > button->width() - 4)
                faults << name + QStringLiteral(" \"") + text + QStringLiteral("\" is cut");
        } else if (auto *edit = qobject_cast<QLineEdit *>(widget); edit && !edit->text().isEmpty()) {
            ++checked;
            const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
            if (edit->fontMetrics().horizontalAdvance(edit->text()) > edit->width() - 2 * frame - 4)
                faults << name + QStringLiteral(" \"") + edit->text() + QStringLiteral("\" is cut");
        }
    }
    return faults;
}

} // namespace

class TestLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Program> program;
    FakeDesktop fake;
    int checkedTotal = 0;

private slots:
    void initTestCase()
    {
        // The font set under test is really the one in force.
        const QStringList families = QFontDatabase::families();
        QVERIFY(!families.isEmpty());
        if (fontSet() == u"dejavu") {
            for (const QString &family : families)
                QVERIFY2(!family.startsWith(u"Liberation"), qPrintable(family));
            QVERIFY(QFontInfo(look::defaultFont()).family().startsWith(u"DejaVu"));
        }
        program = StartProgram(fake);
    }

    void cleanupTestCase()
    {
        program.reset();
        resetDesktop();
        qInfo("%d captions and fields checked with the %s fonts", checkedTotal,
              qPrintable(fontSet()));
    }

    void captionsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("main window") << "main-window";
        QTest::newRow("add dialog") << "add-dialog";
        QTest::newRow("edit dialog") << "edit-dialog";
        QTest::newRow("page options") << "page-options";
        QTest::newRow("About box") << "about-box";
        QTest::newRow("colour dialog") << "colour-dialog";
        QTest::newRow("list import") << "import-list";
    }

    void captionsFit()
    {
        QFETCH(QString, window);
        std::unique_ptr<THuemixDialog> component;
        std::unique_ptr<TfrmHuemixDialog> colourWindow;
        std::unique_ptr<ImportListDialog> importDialog;
        QWidget *shown = nullptr;
        if (window == u"main-window") {
            program->Form1->SetSourceText(QStringLiteral("Le chat dort au soleil."));
            program->Form1->AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
            shown = program->Form1.get();
        } else if (window == u"add-dialog") {
            shown = program->Form2.get();
        } else if (window == u"edit-dialog") {
            shown = program->Form3.get();
        } else if (window == u"page-options") {
            shown = program->Form4.get();
        } else if (window == u"about-box") {
            shown = program->AboutBox.get();
        } else if (window == u"import-list") {
            importDialog = std::make_unique<ImportListDialog>("mot;définition\nété;summer\n", nullptr);
            shown = importDialog.get();
        } else {
            component = std::make_unique<THuemixDialog>(nullptr);
            colourWindow = std::make_unique<TfrmHuemixDialog>(component.get());
            shown = colourWindow.get();
        }
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown));
        int checked = 0;
        QStringList faults = layoutFaults(shown, checked);
        if (colourWindow) {
            // Every page in turn.
            for (int page = 0; page < colourWindow->pgcSystems->count(); ++page) {
                colourWindow->pgcSystems->setCurrentIndex(page);
                faults << layoutFaults(shown, checked);
            }
        }
        checkedTotal += checked;
        QVERIFY(checked > 0);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        QVERIFY(!SavePicture(shown, window + u'-' + fontSet()).isEmpty());
        shown->hide();
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
