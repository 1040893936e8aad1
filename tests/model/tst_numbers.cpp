#include "model/Numbers.h"

#include <QTest>

#include <algorithm>

class tst_numbers : public QObject
{
    Q_OBJECT
private slots:
    void toInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");

        QTest::newRow("plain") << "12" << true << 12;
        QTest::newRow("negative") << "-1" << true << -1;
        QTest::newRow("plus sign") << "+7" << true << 7;
        QTest::newRow("blanks and tabs around") << "  8 \t" << true << 8;
        QTest::newRow("half to even down") << "6.5" << true << 6;
        QTest::newRow("half to even up") << "7.5" << true << 8;
        QTest::newRow("negative half") << "-2.5" << true << -2;
        QTest::newRow("leading point") << ".6" << true << 1;
        QTest::newRow("exponent") << "1e2" << true << 100;
        QTest::newRow("lowest") << "-32768" << true << -32768;
        QTest::newRow("highest") << "32767" << true << 32767;
        QTest::newRow("rounds into range") << "32767.4" << true << 32767;
        QTest::newRow("rounds out of range") << "32767.5" << false << 0;
        QTest::newRow("too small") << "-32769" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("trailing letters") << "12abc" << false << 0;
        QTest::newRow("inner blank") << "1 2" << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("point only") << "." << false << 0;
        QTest::newRow("bare exponent") << "1e" << false << 0;
        QTest::newRow("infinity") << "inf" << false << 0;
        QTest::newRow("huge exponent") << "1e999" << false << 0;
        QTest::newRow("nine digits with leading zeros") << "000000012" << true << 12;
        QTest::newRow("ten digits with leading zeros") << "-0000032768" << true << -32768;
        QTest::newRow("just too large") << "32768" << false << 0;
        QTest::newRow("blank after the sign") << "- 5" << false << 0;
        QTest::newRow("no-break space around") << "\u00A05" << false << 0;
        QTest::newRow("digits of another script") << "\u0663" << false << 0;
    }

    void toInt16()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<qint16> result = numbers::toInt16(text);
        QCOMPARE(result.has_value(), valid);
        if (valid)
            QCOMPARE(int(*result), value);
        // A level file's bytes follow the same rule as typed text.
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
            const QByteArray bytes = text.toLatin1();
            QCOMPARE(numbers::toInt16(QLatin1StringView(bytes)), result);
        }
    }
};

QTEST_APPLESS_MAIN(tst_numbers)
#include "tst_numbers.moc"
