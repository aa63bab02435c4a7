#pragma once
// Whole numbers as English words, the way the bank writes them and a
// teacher reads them: 16 -> "sixteen", 21 -> "twenty-one",
// 1042 -> "one thousand and forty-two", -3 -> "minus three".

#include <QString>

QString numberWords(long long n);
