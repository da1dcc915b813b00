// The word list marks the entries that the learner could never find, after a pause.

#include "Pictures.h"

#include "page/PageSettings.h"
#include "ui/main/Unit1.h"

#include <QListWidget>
#include <QTest>

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
};

QTEST_MAIN(TestUnfindableMarks)
#include "tst_unfindablemarks.moc"
