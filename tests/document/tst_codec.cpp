// The codec: windows-1252 over all 256 bytes, how files are read and written, and how
// characters outside windows-1252 reach each context of the page.
#include "document/TextCodec.h"

#include <QTest>

using namespace lexifind;
using codec::PageContext;

Q_DECLARE_METATYPE(codec::PageContext)

class TestCodec : public QObject
{
    Q_OBJECT

private slots:
    void windows1252AllBytes();
    void windows1252Known_data();
    void windows1252Known();
    void noByte_data();
    void noByte();
    void decode_data();
    void decode();
    void encodeForFile_data();
    void encodeForFile();
    void encodeForPage_data();
    void encodeForPage();
};

void TestCodec::windows1252AllBytes()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        const char16_t c = codec::windows1252Char(uchar(b));
        QCOMPARE(codec::windows1252Byte(c), b);
        all += char(b);
    }
    // Every byte read as windows-1252 and written back unchanged.
    const QString text = codec::decode(all);
    QCOMPARE(text.size(), 256);
    for (int b = 0; b < 256; ++b)
        QCOMPARE(text.at(b).unicode(), codec::windows1252Char(uchar(b)));
    QVERIFY(codec::fitsWindows1252(text));
    QCOMPARE(codec::encodeForFile(text), all);
}

void TestCodec::windows1252Known_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("unit");
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("undefined 81") << 0x81 << 0x81;
    QTest::newRow("undefined 8D") << 0x8D << 0x8D;
    QTest::newRow("undefined 8F") << 0x8F << 0x8F;
    QTest::newRow("undefined 90") << 0x90 << 0x90;
    QTest::newRow("undefined 9D") << 0x9D << 0x9D;
    QTest::newRow("oe ligature") << 0x9C << 0x0153;
    QTest::newRow("OE ligature") << 0x8C << 0x0152;
    QTest::newRow("Y diaeresis") << 0x9F << 0x0178;
    QTest::newRow("right quote") << 0x92 << 0x2019;
    QTest::newRow("nbsp") << 0xA0 << 0xA0;
    QTest::newRow("e acute") << 0xE9 << 0xE9;
    QTest::newRow("NUL") << 0x00 << 0x00;
}

void TestCodec::windows1252Known()
{
    QFETCH(int, byte);
    QFETCH(int, unit);
    QCOMPARE(int(codec::windows1252Char(uchar(byte))), unit);
    QCOMPARE(codec::windows1252Byte(char16_t(unit)), byte);
}

void TestCodec::noByte_data()
{
    QTest::addColumn<int>("unit");
    QTest::newRow("C1 control 80") << 0x80;
    QTest::newRow("C1 control 9C") << 0x9C;
    QTest::newRow("A macron") << 0x100;
    QTest::newRow("Cyrillic zhe") << 0x416;
    QTest::newRow("high surrogate") << 0xD83D;
    QTest::newRow("BOM") << 0xFEFF;
}

void TestCodec::noByte()
{
    QFETCH(int, unit);
    QCOMPARE(codec::windows1252Byte(char16_t(unit)), -1);
    QVERIFY(!codec::fitsWindows1252(QString(QChar(char16_t(unit)))));
}

void TestCodec::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ASCII") << QByteArray("Le chat\r\n") << "Le chat\r\n";
    QTest::newRow("BOM then ASCII") << QByteArray("\xEF\xBB\xBFLe chat") << "Le chat";
    QTest::newRow("BOM then UTF-8") << QByteArray("\xEF\xBB\xBF\xD0\x96") << u"Ж"_qs;
    QTest::newRow("BOM kept after BOM") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF" "a")
                                        << u"\uFEFFa"_qs;
    QTest::newRow("UTF-8 without BOM") << QByteArray("\xC3\xA9t\xC3\xA9") << u"été"_qs;
    QTest::newRow("emoji in UTF-8") << QByteArray("\xF0\x9F\x98\x80") << u"\U0001F600"_qs;
    QTest::newRow("windows-1252") << QByteArray("\xE9t\xE9 \x9C\x80") << u"été œ€"_qs;
    QTest::newRow("overlong is not UTF-8") << QByteArray("\xC0\xAF") << u"À¯"_qs;
    QTest::newRow("surrogate is not UTF-8") << QByteArray("\xED\xA0\x80") << u"í\u00A0€"_qs;
    QTest::newRow("truncated UTF-8") << QByteArray("caf\xC3") << u"cafÃ"_qs;
    QTest::newRow("BOM then bytes not UTF-8: mark dropped, windows-1252")
        << QByteArray("\xEF\xBB\xBF" "1\xE9\x80") << u"1é€"_qs;
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE\x16\x04" "a\0\r\0\n\0", 10) << u"Жa\r\n"_qs;
    QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF\x04\x16\0a", 6) << u"Жa"_qs;
    QTest::newRow("UTF-16 LE, odd last byte kept") << QByteArray("\xFF\xFE" "a\0\xE9", 5) << u"aé"_qs;
    QTest::newRow("UTF-16 LE, lone surrogates") << QByteArray("\xFF\xFE\xCD\xDE" "a\0\x3D\xD8", 8)
                                                << u"\uFFFDa\uFFFD"_qs;
    QTest::newRow("UTF-16 BE, mark only") << QByteArray("\xFE\xFF") << QString();
}

void TestCodec::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(codec::decode(bytes), expected);
}

void TestCodec::encodeForFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("ASCII") << "chat\r\n" << QByteArray("chat\r\n");
    QTest::newRow("windows-1252") << u"été œ€"_qs << QByteArray("\xE9t\xE9 \x9C\x80");
    QTest::newRow("Cyrillic needs UTF-8") << u"Жé"_qs << QByteArray("\xEF\xBB\xBF\xD0\x96\xC3\xA9");
    QTest::newRow("emoji needs UTF-8") << u"\U0001F600"_qs << QByteArray("\xEF\xBB\xBF\xF0\x9F\x98\x80");
    // Written in windows-1252 these would read back as 'é' and as a mark.
    QTest::newRow("bytes that look like UTF-8") << u"Ã©"_qs << QByteArray("\xEF\xBB\xBF\xC3\x83\xC2\xA9");
    QTest::newRow("bytes that look like a mark") << u"ï»¿a"_qs
                                                 << QByteArray("\xEF\xBB\xBF\xC3\xAF\xC2\xBB\xC2\xBF" "a");
    QTest::newRow("bytes that look like a UTF-16 mark") << u"ÿþa"_qs
                                                        << QByteArray("\xEF\xBB\xBF\xC3\xBF\xC3\xBE" "a");
}

void TestCodec::encodeForFile()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const QByteArray bytes = codec::encodeForFile(text);
    QCOMPARE(bytes, expected);
    QCOMPARE(codec::decode(bytes), text);
}

void TestCodec::encodeForPage_data()
{
    QTest::addColumn<QString>("piece");
    QTest::addColumn<PageContext>("context");
    QTest::addColumn<QByteArray>("expected");

    const QString zhe = u"Жук"_qs;
    QTest::newRow("Cyrillic, text") << zhe << PageContext::HtmlText << QByteArray("&#1046;&#1091;&#1082;");
    QTest::newRow("Cyrillic, attribute") << zhe << PageContext::HtmlAttribute
                                         << QByteArray("&#1046;&#1091;&#1082;");
    QTest::newRow("Cyrillic, script") << zhe << PageContext::ScriptString
                                      << QByteArray("\\u0416\\u0443\\u043A");
    QTest::newRow("Cyrillic, style") << zhe << PageContext::StyleSheet
                                     << QByteArray("\\416 \\443 \\43A ");

    const QString oe = u"cœur"_qs;
    for (auto [name, context] : {std::pair{"text", PageContext::HtmlText},
                                 {"attribute", PageContext::HtmlAttribute},
                                 {"script", PageContext::ScriptString},
                                 {"style", PageContext::StyleSheet}}) {
        QTest::addRow("oe has its byte, %s", name) << oe << context << QByteArray("c\x9C" "ur");
        QTest::addRow("special characters untouched, %s", name)
            << "<\"'\\&>" << context << QByteArray("<\"'\\&>");
    }

    const QString emoji = u"a\U0001F600b"_qs;
    QTest::newRow("emoji, text") << emoji << PageContext::HtmlText << QByteArray("a&#128512;b");
    QTest::newRow("emoji, attribute") << emoji << PageContext::HtmlAttribute << QByteArray("a&#128512;b");
    QTest::newRow("emoji, script") << emoji << PageContext::ScriptString << QByteArray("a\\uD83D\\uDE00b");
    QTest::newRow("emoji, style") << emoji << PageContext::StyleSheet << QByteArray("a\\1F600 b");
    QTest::newRow("lone surrogate, text") << QString(QChar(0xD800)) << PageContext::HtmlText
                                          << QByteArray("&#65533;");
    // Controls never reach the page raw nor as references a browser remaps ("&#128;"
    // is read as the euro sign): U+FFFD in every context. Tab, CR and LF stay.
    const QString controls = QString(u"\0\x01\x1F\x7F\x80\x81\x85\x9F\t\r\n"_qs);
    const QByteArray replaced = "&#65533;&#65533;&#65533;&#65533;&#65533;&#65533;&#65533;&#65533;\t\r\n";
    QTest::newRow("controls, text") << controls << PageContext::HtmlText << replaced;
    QTest::newRow("controls, attribute") << controls << PageContext::HtmlAttribute << replaced;
    QTest::newRow("controls, script") << controls << PageContext::ScriptString
                                      << QByteArray("\\uFFFD").repeated(8) + "\t\r\n";
    QTest::newRow("controls, style") << controls << PageContext::StyleSheet
                                     << QByteArray("\\FFFD ").repeated(8) + "\t\r\n";
}

void TestCodec::encodeForPage()
{
    QFETCH(QString, piece);
    QFETCH(PageContext, context);
    QFETCH(QByteArray, expected);
    QCOMPARE(codec::encodeForPage(piece, context), expected);
}

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
