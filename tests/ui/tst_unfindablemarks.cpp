// The word list marks the entries that the learner could never find, after a pause.

#include "Pictures.h"

#include "page/PageSettings.h"
#include "ui/main/Unit1.h"

#include <QListWidget>
#include <QTest>

#include <memory>

using namespace lexifind;

class TestUnfindableMarks : public QObject
{
    Q_OBJECT

private:
    // The rows as "entry" or "entry!" when marked, the mark showing both ways.
    static QStringList rows(TForm1 &form)
    {
        QStringList rows;
        for (int row = 0; row < form.ListBox1->count(); ++row) {
            const QListWidgetItem *item = form.ListBox1->item(row);
            const bool coloured = item->data(Qt::ForegroundRole).isValid();
            const bool explained = !item->toolTip().isEmpty();
            const char *mark = coloured && explained ? "!" : coloured || explained ? "?" : "";
            rows << item->text() + QLatin1String(mark);
        }
        return rows;
    }

private slots:
    void marksFollowTextAndList()
    {
        PageSettings settings;
        TForm1 form(settings);
        form.show();
        form.SetSourceText(QStringLiteral("Le chat dort. Aujourd'hui 我们去北京大学。"));
        form.AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        form.AddEntry(QStringLiteral("chien"), QStringLiteral("dog"));
        form.AddEntry(QStringLiteral("Aujourd'hui"), QStringLiteral("today"));
        form.AddEntry(QStringLiteral("北京"), QStringLiteral("Pékin"));
        form.AddEntry(QStringLiteral("dort "), QStringLiteral("sleeps"));
        form.ListBox1->setCurrentRow(2);
        QTRY_COMPARE(rows(form), (QStringList{"chat", "chien!", "Aujourd'hui", "北京", "dort !"}));
        QCOMPARE(form.ListBox1->item(1)->toolTip(), QStringLiteral("Introuvable dans la page : absent du texte"));
        QVERIFY(!SavePicture(&form, QStringLiteral("unfindable-marks")).isEmpty());
        // Marking leaves the selection alone.
        QCOMPARE(form.ListBox1->currentRow(), 2);

        // The text changes: the mark goes from one row to another.
        form.SetSourceText(QStringLiteral("Le chien dort."));
        QTRY_COMPARE(rows(form), (QStringList{"chat!", "chien", "Aujourd'hui!", "北京!", "dort !"}));

        // The list changes: an edited entry and a removed one.
        QVERIFY(form.ReplaceEntry(0, QStringLiteral("dort"), QStringLiteral("sleeps")));
        form.ListBox1->setCurrentRow(4);
        form.Button6Click();
        const int selected = form.ListBox1->currentRow();
        QTRY_COMPARE(rows(form), (QStringList{"dort", "chien", "Aujourd'hui!", "北京!"}));
        QCOMPARE(form.ListBox1->currentRow(), selected);
    }

    // The marks are worked out off the GUI thread: the answer for a text already
    // replaced is never shown, not even for a moment.
    void staleMarksAreDropped()
    {
        PageSettings settings;
        TForm1 form(settings);
        form.SetSourceText(QStringLiteral("Le chat et le chien."));
        form.AddEntry(QStringLiteral("chat"), QStringLiteral("cat"));
        form.AddEntry(QStringLiteral("chien"), QStringLiteral("dog"));
        QTRY_COMPARE(rows(form), (QStringList{"chat", "chien"}));
        bool chatMarked = false;
        connect(form.ListBox1->model(), &QAbstractItemModel::dataChanged, &form,
                [&] { chatMarked = chatMarked || !form.ListBox1->item(0)->toolTip().isEmpty(); });

        form.SetSourceText(QStringLiteral("Le chien dort."));
        form.MarkUnfindableEntries(); // at once, for the text about to be replaced
        form.SetSourceText(QStringLiteral("Le chat dort."));
        QTRY_COMPARE(rows(form), (QStringList{"chat", "chien!"}));
        QVERIFY(!chatMarked);
    }

    // Closing the window while a long division runs: the worker outlives nothing.
    void destroyedWhileWorking()
    {
        PageSettings settings;
        auto form = std::make_unique<TForm1>(settings);
        form->SetSourceText(QStringLiteral("我们去北京大学。").repeated(20000));
        form->AddEntry(QStringLiteral("北京"), QStringLiteral("Pékin"));
        form->MarkUnfindableEntries();
        form.reset();
        QCoreApplication::processEvents();
    }
};

QTEST_MAIN(TestUnfindableMarks)
#include "tst_unfindablemarks.moc"
