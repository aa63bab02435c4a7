// The part of the store writer that makes the papers: from the sources where
// a paper has one, otherwise by its topic's generator.
#include "StoreWriter.h"

#include "../source/Render.h"
#include "MhtmlWriter.h"
#include "Quantities.h"

#include <QDir>
#include <QFileInfo>

using bank::PaperSpec;
using bank::Question;

namespace {

std::uint64_t PaperSeed(int paperNum) {
    return 0x51756c6c6f726131ULL ^ (std::uint64_t(paperNum) * 0x9e3779b97f4a7c15ULL);
}

// A paper from its source, with the ids and plan the store expects of it.
void RenderFromSource(StoreWriter::Paper& paper, const QString& path, QStringList* problems) {
    const bank::source::PaperRead read = bank::source::ReadPaper(path);
    *problems << read.errors;
    if (!read.errors.isEmpty())
        return;
    const bank::source::SourcePaper& source = read.paper;
    if (source.paper != paper.paperSpec.paperNum)
        *problems << bank::source::Where(path, 0) +
                         QStringLiteral("says it is paper %1").arg(source.paper);
    QList<int> ids;
    QList<int> plan;
    for (const bank::source::SourceQuestion& q : source.questions) {
        ids << q.id;
        plan << int(q.blanks.size());
    }
    if (ids != paper.ids) {
        QStringList expected;
        for (int id : paper.ids)
            expected << QString::number(id);
        *problems << bank::source::Where(path, 0) +
                         QStringLiteral("the question ids must be the paper's, in order: %1")
                             .arg(expected.join(QLatin1Char(' ')));
    }
    paper.questions = bank::source::RenderPaper(source, problems);
    paper.ids = ids;
    paper.paperSpec.blankPlan = plan;
    paper.fromSource = true;
    paper.sourceDigest = bank::source::PaperDigest(source);
}

} // namespace

QList<StoreWriter::Paper> StoreWriter::Generate() {
    QStringList unused;
    return Generate(QString(), &unused);
}

QList<StoreWriter::Paper> StoreWriter::Generate(const QString& sourceDir, QStringList* problems) {
    using Generator = QList<Question> (*)(const PaperSpec&, bank::Rng&);
    static const Generator generators[] = {
        bank::GenerateTopic1, bank::GenerateTopic2, bank::GenerateTopic3, bank::GenerateTopic4,
        bank::GenerateTopic5, bank::GenerateTopic6, bank::GenerateTopic7, bank::GenerateTopic8,
        bank::GenerateTopic9, bank::GenerateTopic10};
    const QList<PaperSpec> plan = bank::BankPlan();
    const QList<QList<int>> ids = AssignIds(plan);
    const bank::BankRun run;
    QList<Paper> papers;
    for (int p = 0; p < plan.size(); ++p) {
        Paper paper;
        paper.paperSpec = plan.at(p);
        paper.ids = ids.at(p);
        bank::Rng rng(PaperSeed(paper.paperSpec.paperNum));
        bank::qty::Discard();
        // Generated even when the source replaces it: the generators share
        // what they have drawn across papers, so the papers still generated
        // stay the same bytes whichever others come from sources.
        if (paper.paperSpec.topic >= 1 && paper.paperSpec.topic <= 10)
            paper.questions = generators[paper.paperSpec.topic - 1](paper.paperSpec, rng);
        const QString path = bank::source::PaperFile(sourceDir, paper.paperSpec.paperNum);
        if (!sourceDir.isEmpty() && QFileInfo::exists(path))
            RenderFromSource(paper, path, problems);
        papers << paper;
    }
    return papers;
}

QStringList StoreWriter::writeAll() const {
    QStringList problems;
    const QList<Paper> papers = Generate(m_sourceDir, &problems);
    if (!problems.isEmpty())
        return problems;
    problems = Check(papers);
    if (!problems.isEmpty())
        return problems;
    if (!QDir().mkpath(m_storeDir))
        return {QStringLiteral("cannot create %1").arg(m_storeDir)};

    QStringList written;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        if (writeFile(name, bytes, problems))
            written << name;
    };
    write(QStringLiteral("30000.txt"), Definition(papers));
    write(QStringLiteral("30022.txt"), PaperTable(papers));
    for (int table = 30023; table <= 30025; ++table)
        write(QStringLiteral("%1.txt").arg(table), QuestionTable(papers, table));
    write(QStringLiteral("30121.txt"), MarksTemplate(int(papers.size())));
    const QByteArray paperTemplate = PaperTemplate(papers);
    for (int item = 30122; item <= 30125; ++item)
        write(QStringLiteral("%1.txt").arg(item), paperTemplate);
    write(QStringLiteral("30126.txt"), TrendTemplate());
    for (const Paper& paper : papers) {
        for (int q = 0; q < paper.questions.size(); ++q) {
            const int id = paper.ids.at(q);
            write(QStringLiteral("%1.mht").arg(id), MhtmlWriter(id).archive(paper.questions.at(q)));
        }
    }
    if (problems.isEmpty())
        removeStale(written);
    return problems;
}
