#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QtTest>

#include "test_practice_window_harness.h"

#include "practice/view/QuestionPage.h"

namespace {

QString dataFile(const QString& name) {
    return QStringLiteral(QUILLORA_TEST_DATA_DIR "/mhtml/") + name;
}

// Copies an archive into dir under the name the practice window extracts to.
QString place(const QTemporaryDir& dir, const QString& source, const QString& id) {
    const QString target = dir.filePath(QStringLiteral("temppaper") + id + QStringLiteral(".mht"));
    QFile::remove(target);
    if (!QFile::copy(source, target))
        qFatal("cannot copy %s", qPrintable(source));
    return target;
}

// Result of documentLoaded, or -1 when it did not come.
int showAndWait(QuestionView& view, const QString& path) {
    QSignalSpy spy(&view, &QuestionView::documentLoaded);
    view.showDocument(path);
    return spy.wait(20000) ? int(spy.first().first().toBool()) : -1;
}

struct PageFacts {
    int images = -1;
    bool imagesLoaded = false;
    QString text;
    QString fontSize;
};

PageFacts pageFacts(QuestionView& view) {
    const QString json =
        js(view, QStringLiteral(
                     "(function(){ var imgs = Array.from(document.images);"
                     " var q = document.querySelector('.q');"
                     " return JSON.stringify({n: imgs.length,"
                     "  ok: imgs.every(function(i){ return i.complete && i.naturalWidth > 0; }),"
                     "  text: document.body ? document.body.innerText : '',"
                     "  font: q ? getComputedStyle(q).fontSize : ''}); })()"))
            .toString();
    const QJsonObject o = QJsonDocument::fromJson(json.toUtf8()).object();
    return {o.value(QStringLiteral("n")).toInt(-1), o.value(QStringLiteral("ok")).toBool(),
            o.value(QStringLiteral("text")).toString(), o.value(QStringLiteral("font")).toString()};
}

// A local web server that notes the path of every request it is sent and
// answers each with a small page.
class RequestLog : public QObject {
public:
    RequestLog() {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    const QByteArray head = socket->readAll();
                    const QList<QByteArray> requestLine = head.left(head.indexOf('\r')).split(' ');
                    if (requestLine.size() >= 2)
                        paths.append(QString::fromLatin1(requestLine.at(1)));
                    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n"
                                  "Content-Length: 13\r\nConnection: close\r\n\r\n<p>remote</p>");
                    socket->disconnectFromHost();
                });
            }
        });
    }
    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    quint16 port() const { return m_server.serverPort(); }
    QStringList paths;

private:
    QTcpServer m_server;
};

} // namespace

class TestQuestionView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void showsArchivesWithPictures_data();
    void showsArchivesWithPictures();
    void shippedDocumentsAndUnreadableOnes();
    void copyGuard_data();
    void copyGuard();
    void platformDialogsAndPrinting();
    void staysOnTheQuestion_data();
    void staysOnTheQuestion();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QuestionView> m_view;
    QStringList m_messages; // "title|text"
};

void TestQuestionView::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_view = std::make_unique<QuestionView>();
    m_view->resize(800, 600);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_messages.clear();
    m_view->setMessageHook([this](QWidget*, const QString& title, const QString& text) {
        m_messages.append(title + QLatin1Char('|') + text);
    });
}

void TestQuestionView::cleanup() {
    m_view.reset();
    m_dir.reset();
}

void TestQuestionView::showsArchivesWithPictures_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("images");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fontSize");
    QTest::newRow("word processor, file: locations, windows-1252")
        << "word_processor.mht" << 2
        << QStringLiteral("Sam\u2019s piggy bank holds \u00a312 and a \u20ac coin.") << "";
    QTest::newRow("cid references, utf-8")
        << "cid_references.mht" << 1 << QStringLiteral("Caf\u00e9 \u00bd + \u00bc = ?") << "";
    QTest::newRow("http locations, style sheet, svg")
        << "browser_saved.mht" << 2 << QStringLiteral("What time does the clock show?") << "20px";
}

void TestQuestionView::showsArchivesWithPictures() {
    QFETCH(QString, file);
    QFETCH(int, images);
    QFETCH(QString, text);
    QFETCH(QString, fontSize);
    QCOMPARE(showAndWait(*m_view, place(*m_dir, dataFile(file), QStringLiteral("23031"))), 1);
    QCOMPARE(m_view->documentError(), QString());
    const PageFacts facts = pageFacts(*m_view);
    QCOMPARE(facts.images, images);
    QVERIFY2(facts.imagesLoaded, "a picture did not load");
    QVERIFY2(facts.text.contains(text), qPrintable(facts.text));
    if (!fontSize.isEmpty())
        QCOMPARE(facts.fontSize, fontSize);
}

// A few shipped question documents show with all their pictures; one that
// cannot be read leaves nothing on show.
void TestQuestionView::shippedDocumentsAndUnreadableOnes() {
    const QDir store(QStringLiteral(QUILLORA_SOURCE_DIR "/content/store"));
    const QStringList all = store.entryList({QStringLiteral("*.mht")}, QDir::Files, QDir::Name);
    QVERIFY2(!all.isEmpty(), "no question documents in the store");
    // The bank's documents are all written by one tool: the first, and the
    // first whose question shows a picture, stand for the rest.
    int pictures = 0;
    for (int i = 0; i < all.size() && pictures == 0; ++i) {
        const QString path = store.filePath(all.at(i));
        if (i > 0 && !TestFiles::bytesOf(path).contains("Content-Type: image/"))
            continue;
        const QString id = QFileInfo(path).completeBaseName();
        QCOMPARE(showAndWait(*m_view, place(*m_dir, path, id)), 1);
        const PageFacts facts = pageFacts(*m_view);
        QVERIFY2(facts.imagesLoaded, qPrintable(path));
        QVERIFY2(!facts.text.trimmed().isEmpty() || facts.images > 0, qPrintable(path));
        pictures += facts.images;
    }
    QVERIFY2(pictures > 0, "no question document shows a picture");

    // A document that cannot be read is an error and takes the earlier
    // question off the screen; a good one shows again afterwards, alone in
    // memory.
    QCOMPARE(showAndWait(*m_view, dataFile(QStringLiteral("word_processor.mht"))), 1);
    QCOMPARE(showAndWait(*m_view, m_dir->filePath(QStringLiteral("absent.mht"))), 0);
    QVERIFY(!m_view->documentError().isEmpty());
    QCOMPARE(pageFacts(*m_view).text.contains(QStringLiteral("piggy")), false);
    QCOMPARE(showAndWait(*m_view, dataFile(QStringLiteral("cid_references.mht"))), 1);
    QCOMPARE(m_view->documentError(), QString());
    QCOMPARE(QuestionSchemeHandler::forProfile(m_view->page()->profile())->documentCount(), 1);
}

void TestQuestionView::copyGuard_data() {
    QTest::addColumn<int>("key"); // a mouse button when modifiers is -1
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("pageSees"); // what the page records when it is let through
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << ctrl << true << "^c";
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << ctrl << true << "^x";
    QTest::newRow("Ctrl+Shift+C") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                  << true << "^C";
    QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << true << "^Insert";
    QTest::newRow("right click") << int(Qt::RightButton) << -1 << true << "m2";
    QTest::newRow("plain C goes through") << int(Qt::Key_C) << 0 << false << "c";
    QTest::newRow("Ctrl+A goes through") << int(Qt::Key_A) << ctrl << false << "^a";
    QTest::newRow("left click goes through") << int(Qt::LeftButton) << -1 << false << "m0";
}

void TestQuestionView::copyGuard() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, refused);
    QFETCH(QString, pageSees);
    QCOMPARE(showAndWait(*m_view, dataFile(QStringLiteral("word_processor.mht"))), 1);
    QTRY_VERIFY(m_view->focusProxy() != nullptr);
    QWidget* input = m_view->focusProxy();
    m_view->activateWindow();
    m_view->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_view.get()));

    js(*m_view,
       QStringLiteral(
           "window.seen = [];"
           "document.addEventListener('keydown', function(e){"
           " seen.push((e.ctrlKey ? '^' : '') + e.key); });"
           "document.addEventListener('mousedown', function(e){ seen.push('m' + e.button); });"
           "document.addEventListener('contextmenu', function(e){ seen.push('menu'); });"
           "var r = document.createRange(); r.selectNodeContents(document.body);"
           "getSelection().removeAllRanges(); getSelection().addRange(r); true;"));
    QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));

    if (modifiers < 0)
        QTest::mouseClick(input, Qt::MouseButton(key), {}, QPoint(60, 20));
    else
        QTest::keyClick(input, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    // A final plain key marks the end of what the page can have seen.
    QTest::keyClick(input, Qt::Key_Z);
    QTRY_VERIFY_WITH_TIMEOUT(
        js(*m_view, QStringLiteral("seen.join(' ')")).toString().endsWith(QLatin1String("z")),
        10000);
    const QStringList seen =
        js(*m_view, QStringLiteral("seen.join(' ')")).toString().split(QLatin1Char(' '));
    QCOMPARE(seen.contains(pageSees), !refused);
    QVERIFY2(!seen.contains(QLatin1String("menu")), qPrintable(seen.join(QLatin1Char(' '))));
    if (refused) {
        QTRY_COMPARE(m_messages, QStringList{"Error|Invalid operation"});
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("sentinel"));
    } else {
        // A refusal is queued before the final key, so it would be here by now.
        QCOMPARE(m_messages.size(), 0);
    }

    // still guarded after the next document has loaded
    QCOMPARE(showAndWait(*m_view, dataFile(QStringLiteral("cid_references.mht"))), 1);
    QTRY_VERIFY(m_view->focusProxy() != nullptr);
    m_messages.clear();
    QTest::keyClick(m_view->focusProxy(), Qt::Key_C, Qt::ControlModifier);
    QTRY_COMPARE(m_messages.size(), 1);
}

// With the platform's own dialogs: the refusal's message box, and the print
// dialog, cancelled. Then printed through the seam.
void TestQuestionView::platformDialogsAndPrinting() {
    QuestionView view;
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(showAndWait(view, dataFile(QStringLiteral("word_processor.mht"))), 1);
    QTRY_VERIFY(view.focusProxy() != nullptr);

    QStringList dialogs; // "title|text|buttons" of a message box, else the class
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* box = qobject_cast<QMessageBox*>(dialog);
        dialogs << (box ? box->windowTitle() + '|' + box->text() + '|' +
                              QString::number(box->buttons().size())
                        : QString::fromLatin1(dialog->metaObject()->className()));
        dialog->reject();
    });
    poll.start(20);
    QTest::mouseClick(view.focusProxy(), Qt::RightButton, {}, QPoint(30, 30));
    QTRY_COMPARE_WITH_TIMEOUT(dialogs, QStringList{"Error|Invalid operation|1"}, 10000);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    view.printWithDialog(&view);
    QCOMPARE(dialogs.size(), 2);
    // No job was started, so none can report later.
    QVERIFY(!view.isPrinting());

    QSignalSpy done(&view, &QuestionView::printDone);
    const QString pdf = m_dir->filePath(QStringLiteral("question.pdf"));
    QWidget* askedOwner = nullptr;
    view.setPrintDialogHook([&](QPrinter* printer, QWidget* owner) {
        askedOwner = owner;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return true;
    });
    QWidget owner;
    view.printWithDialog(&owner);
    QCOMPARE(askedOwner, &owner);
    QVERIFY(view.isPrinting());
    view.printWithDialog(&owner); // ignored while the first job runs
    QVERIFY(done.wait(30000));
    QCOMPARE(done.size(), 1);
    QVERIFY(!view.isPrinting());
    // The PDF is read back in test_practice_window.
}

void TestQuestionView::staysOnTheQuestion_data() {
    QTest::addColumn<QString>("document"); // under mhtml/leaving
    QTest::addColumn<QString>("action");   // what the pupil does
    QTest::addColumn<QString>("target");   // where the document tries to go
    QTest::addColumn<bool>("newWindow");   // asked for as a window of its own
    auto row = [](const char* name, const char* document, const char* action, const char* target,
                  bool newWindow) {
        QTest::newRow(name) << QString(document) << QString(action) << QString(target) << newWindow;
    };
    row("link", "link", "click", "/link", false);
    row("form", "form", "click", "/form?q=7", false);
    row("pop-up window", "popup", "click", "/popup", true);
    row("refresh redirect", "refresh", "", "/refresh", false);
    row("remote frame", "frame", "", "/frame", false);
    row("dropped address", "plain", "drop", "/dropped", true);
    row("dropped file", "plain", "drop file", "", true);
}

// Every way a document can try to take the view elsewhere is refused, and the
// server the document points at sees no request.
void TestQuestionView::staysOnTheQuestion() {
    QFETCH(QString, document);
    QFETCH(QString, action);
    QFETCH(QString, target);
    QFETCH(bool, newWindow);
    RequestLog server;
    QVERIFY(server.listen());
    const QString origin = QStringLiteral("http://127.0.0.1:%1").arg(server.port());

    const QString path = m_dir->filePath(QStringLiteral("temppaper23031.mht"));
    QVERIFY(TestFiles::writeBytes(
        path, TestFiles::bytesOf(dataFile(QStringLiteral("leaving/") + document + ".mht"))
                  .replace("http://127.0.0.1:PORT", origin.toLatin1())));

    auto* page = qobject_cast<QuestionPage*>(m_view->page());
    QVERIFY(page);
    QSignalSpy refused(page, &QuestionPage::navigationRefused);
    QCOMPARE(showAndWait(*m_view, path), 1);
    const QUrl shown = m_view->url();
    QTRY_VERIFY(m_view->focusProxy() != nullptr);
    QWidget* input = m_view->focusProxy();
    const QPoint centre = input->rect().center();

    QUrl dropped = QUrl(origin + target);
    if (action == QLatin1String("drop file")) {
        dropped = QUrl::fromLocalFile(m_dir->filePath(QStringLiteral("elsewhere.html")));
        QVERIFY(TestFiles::writeBytes(dropped.toLocalFile(), "<p>elsewhere</p>"));
    }
    // Until the engine has laid the page out a click or a drop may find
    // nothing under it; it is repeated until the page has asked to leave.
    auto act = [&] {
        if (action == QLatin1String("click"))
            QTest::mouseClick(input, Qt::LeftButton, {}, centre);
        if (!action.startsWith(QLatin1String("drop")))
            return;
        QMimeData mime;
        mime.setUrls({dropped});
        const Qt::DropActions actions = Qt::CopyAction | Qt::LinkAction;
        QDragEnterEvent enter(centre, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &enter);
        QDragMoveEvent move(centre, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &move);
        QDropEvent drop(centre, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(input, &drop);
    };
    for (int tries = 0; tries < 50 && refused.isEmpty(); ++tries) {
        act();
        refused.wait(200);
    }
    QVERIFY2(!refused.isEmpty(), "the document never tried to leave");
    // A window is refused before its address is known.
    QCOMPARE(refused.first().first().toUrl(), newWindow ? QUrl() : QUrl(origin + target));

    // A request that got past the page would reach the server before this later one.
    QWebEnginePage sentinel;
    sentinel.settings()->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    sentinel.load(QUrl(origin + QStringLiteral("/sentinel")));
    QTRY_VERIFY_WITH_TIMEOUT(server.paths.contains(QStringLiteral("/sentinel")), 20000);
    QCOMPARE(server.paths, QStringList{QStringLiteral("/sentinel")});
    QCOMPARE(m_view->url(), shown);
    QVERIFY(!pageFacts(*m_view).text.contains(QStringLiteral("remote")));
}

QUESTION_VIEW_TEST_MAIN(TestQuestionView)

#include "test_question_view.moc"
