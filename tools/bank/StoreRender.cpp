// The part of the store writer that makes the papers: each rendered from its
// source, with the ids and plan the store expects of it.
#include "StoreWriter.h"

#include "../source/Render.h"
#include "MhtmlWriter.h"

#include <QDir>
#include <QFileInfo>

using bank::PaperSpec;

namespace {

void renderFromSource(StoreWriter::Paper& paper, const QString& path, QStringList* problems) {
    const bank::source::PaperRead read = bank::source::readPaper(path);
    *problems << read.errors;
    if (!read.errors.isEmpty())
        return;
    const bank::source::SourcePaper& source = read.paper;
    if (source.paper != paper.paperSpec.paperNum)
        *problems << bank::source::locationPrefix(path, 0) +
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
        *problems << bank::source::locationPrefix(path, 0) +
                         QStringLiteral("the question ids must be the paper's, in order: %1")
                             .arg(expected.join(QLatin1Char(' ')));
    }
    paper.questions = bank::source::renderPaper(source, problems);
    paper.ids = ids;
    paper.paperSpec.blankPlan = plan;
    paper.sourceDigest = bank::source::paperDigest(source);
}

} // namespace

QList<StoreWriter::Paper> StoreWriter::render(const QString& sourceDir, QStringList* problems) {
    const QList<PaperSpec> plan = bank::bankPlan();
    const QList<QList<int>> ids = assignIds(plan);
    QList<Paper> papers;
    for (int p = 0; p < plan.size(); ++p) {
        Paper paper;
        paper.paperSpec = plan.at(p);
        paper.ids = ids.at(p);
        const QString path = bank::source::paperFile(sourceDir, paper.paperSpec.paperNum);
        if (QFileInfo::exists(path))
            renderFromSource(paper, path, problems);
        else
            *problems << bank::source::locationPrefix(path, 0) +
                             QStringLiteral("paper %1 has no source; every paper is "
                                            "rendered from its own")
                                 .arg(paper.paperSpec.paperNum);
        papers << paper;
    }
    return papers;
}

QStringList StoreWriter::writeAll() const {
    QStringList problems;
    const QList<Paper> papers = render(m_sourceDir, &problems);
    if (!problems.isEmpty())
        return problems;
    problems = check(papers);
    if (!problems.isEmpty())
        return problems;
    if (!QDir().mkpath(m_storeDir))
        return {QStringLiteral("cannot create %1").arg(m_storeDir)};

    QStringList written;
    auto write = [&](const QString& name, const QByteArray& bytes) {
        if (writeFile(name, bytes, problems))
            written << name;
    };
    write(QStringLiteral("30000.txt"), definition(papers));
    write(QStringLiteral("30022.txt"), paperTable(papers));
    for (int table = 30023; table <= 30025; ++table)
        write(QStringLiteral("%1.txt").arg(table), questionTable(papers, table));
    write(QStringLiteral("30121.txt"), marksTemplate(int(papers.size())));
    const QByteArray paperTemplate = paperTemplateFor(papers);
    for (int item = 30122; item <= 30125; ++item)
        write(QStringLiteral("%1.txt").arg(item), paperTemplate);
    write(QStringLiteral("30126.txt"), trendTemplate());
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
