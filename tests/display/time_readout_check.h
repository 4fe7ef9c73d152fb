#pragma once

// Checks a cursor time read-out against the time it stands for, without the read-out's own
// formatting rule: five characters of number, then "uS", the last digit within one unit of
// the time.

#include <QString>
#include <cmath>
#include <gtest/gtest.h>

namespace kv::test {

inline void expectMicroseconds(const QString& text, double micros)
{
    SCOPED_TRACE(text.toStdString());
    ASSERT_TRUE(text.endsWith(QLatin1String("uS")));
    const QString number = text.chopped(2);
    EXPECT_EQ(number.size(), 5);
    const int point = number.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(number.size()) - point - 1;
    bool ok = false;
    const double value = number.toDouble(&ok);
    ASSERT_TRUE(ok);
    EXPECT_NEAR(value, micros, std::pow(10.0, -decimals));
}

} // namespace kv::test
