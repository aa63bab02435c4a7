#pragma once
// Pictures of the measuring topics: the pound's coins and notes, a clock face
// with Arabic or Roman numerals, a ruler marked in millimetres, a digital
// clock.

#include "Bank.h"

namespace bank::svg {

// Pence of every coin and note drawn, smallest first.
const QList<int>& CoinValues(); // 1, 2, 5, 10, 20, 50, 100, 200
const QList<int>& NoteValues(); // 500, 1000, 2000, 5000
// "1p", "50p", "£1", "£20".
QString MoneyLabel(int pence);

double PoundCoinRadius(int pence);
// A coin of the pound: copper 1p and 2p, silver 5p and 10p, seven-sided 20p
// and 50p, a twelve-sided two-coloured £1, a round two-coloured £2.
QString PoundCoin(double cx, double cy, int pence);
// A note of £5, £10, £20 or £50 in its colour.
QString PoundNote(double x, double y, double w, double h, int pence);
// Coins and notes laid out in rows, notes first, largest first.
QByteArray PoundsPicture(QList<int> pieces);
// "one £2 coin, two 20p coins and a £5 note": what the picture shows.
QString PiecesInWords(QList<int> pieces);

// A clock face; roman draws I to XII in place of 1 to 12.
QString ClockFace(double cx, double cy, double r, int hour, int minute, bool roman);
QString Roman(int number); // 1..12

// A ruler with a long mark every centimetre, a middle one every half
// centimetre and a short one every millimetre; the 0 mark at x.
QString MmRuler(double x, double y, int lengthCm, double pxPerCm);

// A digital clock showing the text ("15:40").
QString DigitalClock(double x, double y, const QString& text);

} // namespace bank::svg
