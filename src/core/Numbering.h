#pragma once
// Numbering of topics, papers and answer blanks. Papers have ids 101..150;
// the paper index is id - 100; topic k holds paper indexes 5k - 4 .. 5k.

#include <QList>
#include <QString>

namespace Numbering {
constexpr int PapersPerTopic = 5;
// Paper index k (1..50) and paper id 100 + k, the key of the paper's records.
inline int paperNumOfIndex(int paperIndex) {
    return 100 + paperIndex;
}
inline int paperIndexOf(int paperNum) {
    return paperNum - 100;
}
inline QString paperKey(int paperIndex) {
    return QString::number(paperNumOfIndex(paperIndex));
}
inline int topicOfPaper(int paperNum) {
    return (paperIndexOf(paperNum) - 1) / PapersPerTopic + 1;
}
inline int paperInTopic(int paperNum) {
    return (paperIndexOf(paperNum) - 1) % PapersPerTopic + 1;
}
// TopicCount of topic k: 1, 6, 11, ..., 46.
inline int topicFirstIndex(int topic) {
    return PapersPerTopic * (topic - 1) + 1;
}
// 1-based question of 1-based blank, from the blank counts per question; 0 when
// the blank lies beyond the last question.
int questionOfBlank(const QList<int>& blanksPerQuestion, int blank);
// 1-based first blank of 1-based question q.
int firstBlankOf(const QList<int>& blanksPerQuestion, int question);
} // namespace Numbering
