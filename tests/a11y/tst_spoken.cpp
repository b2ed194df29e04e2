// The answers in words that the birth-year box carries to a screen reader, over every number
// the box can be given under every era of the list.

#include <QtTest>

#include "u16text.h"
#include "yorvane/eras.h"
#include "yorvane/text.h"
#include "yorvane/view.h"

using namespace yorvane;

class TestSpoken : public QObject {
    Q_OBJECT
private slots:
    void everyYearUnderEveryEra();
};

// Whatever the window shows for a year is said, a number past its era's end is said to be so
// first, and no year says nothing.
void TestSpoken::everyYearUnderEveryEra() {
    for (Era era : kEras) {
        for (int number = 0; number <= 3000; ++number) {
            MainInputs in;
            in.currentYear = 2026;
            in.listEra = era;
            enterBirthYear(in, decimal(number));
            const MainView v = mainView(in);
            const QString said = qs(spokenAnswers(v));
            const QString where =
                qs(eraName(era)) + QString::number(number) + QStringLiteral(": ") + said;
            QVERIFY2(said.isEmpty() == (v.birthYear == 0), qPrintable(where));
            if (said.isEmpty()) continue;
            for (const std::u16string_view shown :
                 {std::u16string_view(v.otherEra), std::u16string_view(v.otherYear), v.period,
                  std::u16string_view(v.sign), v.nineStar})
                QVERIFY2(said.contains(qs(shown)), qPrintable(where));
            QString reading = qs(v.signReading);
            QVERIFY2(said.contains(reading.remove(u' ')), qPrintable(where));
            QVERIFY2(v.figure && said.contains(qs(decimal(*v.figure)) + qs(v.wording.unit)),
                     qPrintable(where));
            const ListedEra listed = listedEra(*v.listEra);
            const bool warned =
                said.startsWith(qs(listed.name)) && said.contains(QString::number(listed.lastYear));
            QVERIFY2(warned == v.birthRed, qPrintable(where));
        }
    }
}

QTEST_APPLESS_MAIN(TestSpoken)
#include "tst_spoken.moc"
