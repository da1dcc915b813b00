// The page job: each product from one snapshot, its failures as values, cancel and
// progress, and the same bytes whether they go to the result or to a sink.
#include "page/PageJob.h"

#include "page/PageWriter.h"

#include <QTest>

using namespace lexifind;

Q_DECLARE_METATYPE(lexifind::PageProduct)

namespace {

class Collect : public PageSink
{
public:
    void write(QByteArrayView bytes) override { collected += bytes; }
    QByteArray collected;
};

} // namespace

class TestPageJob : public QObject
{
    Q_OBJECT

private slots:
    void products_data();
    void products();
};

void TestPageJob::products_data()
{
    QTest::addColumn<PageProduct>("product");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("option"); // NAME=VALUE, or empty
    QTest::addColumn<bool>("refuse");
    QTest::addColumn<int>("cancelAt"); // the progress at which cancel is set; -1: never
    QTest::addColumn<QString>("outcome"); // bytes, none, refused, cancelled or the error
    QTest::addColumn<QList<int>>("unfindable");
    const QStringList both{"chat", "chien"}, chat{"chat"};
    const QList<int> second{1}, none;
    using P = PageProduct;
    QTest::newRow("page") << P::Page << both << "" << false << -1 << "bytes" << second;
    QTest::newRow("modern page")
        << P::Page << both << "PageStyle=moderne" << false << -1 << "bytes" << second;
    QTest::newRow("SCORM 1.2") << P::Scorm12 << both << "" << false << -1 << "bytes" << second;
    QTest::newRow("SCORM 2004") << P::Scorm2004 << chat << "" << true << -1 << "bytes" << none;
    QTest::newRow("marks") << P::Marks << both << "" << false << -1 << "none" << second;
    QTest::newRow("refused page") << P::Page << both << "" << true << -1 << "refused" << second;
    QTest::newRow("refused package") << P::Scorm12 << both << "" << true << -1 << "refused" << second;
    QTest::newRow("empty list")
        << P::Page << QStringList() << "" << false << -1
        << u"La liste de mots est vide : ajoutez au moins un mot avant d'enregistrer la page HTML"_qs
        << none;
    QTest::newRow("unknown style")
        << P::Page << chat << "PageStyle=baroque" << false << -1
        << u"Style de page inconnu « baroque » : choisissez « classique » ou « moderne »"_qs << none;
    QTest::newRow("mastery score")
        << P::Scorm12 << chat << "MasteryScore=beaucoup" << false << -1
        << u"'beaucoup' n'est pas une valeur entière correcte"_qs << none;
    QTest::newRow("cancelled at the start") << P::Page << chat << "" << false << 0 << "cancelled" << none;
    QTest::newRow("cancelled once divided") << P::Page << chat << "" << false << 50 << "cancelled" << none;
    QTest::newRow("package cancelled") << P::Scorm12 << chat << "" << false << 50 << "cancelled" << none;
}

void TestPageJob::products()
{
    QFETCH(PageProduct, product);
    QFETCH(QStringList, words);
    QFETCH(QString, option);
    QFETCH(bool, refuse);
    QFETCH(int, cancelAt);
    QFETCH(QString, outcome);
    QFETCH(QList<int>, unfindable);

    PageJobRequest request;
    request.document.setText(QStringLiteral("Le chat dort.\r\n").repeated(2000));
    for (const QString &word : words)
        request.document.AddEntry(word, word + QStringLiteral(" (déf.)"));
    if (!option.isEmpty())
        *request.settings.option(option.section(u'=', 0, 0)) = option.section(u'=', 1);
    request.product = product;
    request.refuseUnfindable = refuse;

    // Twice: into the result, then into a sink.
    for (const bool toSink : {false, true}) {
        std::atomic_bool cancel{false};
        QList<int> steps;
        Collect sink;
        PageJobControl control;
        control.cancel = &cancel;
        control.sink = toSink ? &sink : nullptr;
        control.progress = [&](int percent) {
            steps << percent;
            if (cancelAt >= 0 && percent >= cancelAt)
                cancel = true;
        };
        const PageJobResult result = RunPageJob(request, control);
        const QByteArray bytes = toSink ? sink.collected : result.bytes;

        QCOMPARE(result.cancelled, outcome == u"cancelled");
        QCOMPARE(result.refused, outcome == u"refused");
        const bool isError = !QStringList{"bytes", "none", "refused", "cancelled"}.contains(outcome);
        QCOMPARE(result.error, isError ? outcome : QString());
        QCOMPARE(result.succeeded(), outcome == u"bytes" || outcome == u"none");
        QList<int> positions;
        for (const UnfindableEntry &entry : result.unfindable)
            positions << entry.position;
        QCOMPARE(positions, unfindable);
        QVERIFY(std::is_sorted(steps.begin(), steps.end()));
        if (result.succeeded())
            QCOMPARE(steps.last(), 100);
        if (toSink)
            QVERIFY(result.bytes.isEmpty());
        if (outcome != u"bytes") {
            QVERIFY(bytes.isEmpty());
            continue;
        }
        QVERIFY(!result.settings.PageTitle.isEmpty()); // the defaults filled in
        if (product == PageProduct::Page) {
            PageSettings settings = request.settings;
            QCOMPARE(bytes, BuildPage(request.document, settings));
            QVERIFY(result.settings == settings);
        } else {
            QVERIFY(bytes.startsWith("PK\x03\x04"));
            QCOMPARE(result.settings.PageStyle, request.settings.PageStyle);
        }
    }
}

QTEST_GUILESS_MAIN(TestPageJob)
#include "tst_pagejob.moc"
