#pragma once
// The bank as the store holds it, generated once for all the tests of a run
// that only read it, and its questions by topic.

#include "StoreWriter.h"

inline const QList<StoreWriter::Paper>& Bank() {
    static const QList<StoreWriter::Paper> papers = StoreWriter::Generate();
    return papers;
}

inline QList<bank::Question> QuestionsOf(const QList<int>& topics) {
    QList<bank::Question> out;
    for (const StoreWriter::Paper& paper : Bank()) {
        if (topics.contains(paper.paperSpec.topic))
            out += paper.questions;
    }
    return out;
}
