#pragma once
// The program's own message dialog (`frmPopUp`) as a service: prepare it with
// `CallPop`, show it modally over its owner, and return its answer.

#include <QPointer>
#include <QString>
#include <functional>

class QWidget;
class PictureCache;
class frmPopUp;

// The buttons the dialog offers.
enum class PopUpButtons {
    Ok,    // "OK" alone: a notice
    YesNo, // "Yes" and "No": a question
};

class PopUpService {
public:
    explicit PopUpService(PictureCache& pictures);

    // The title of the program's own messages.
    static QString programTitle() { return QStringLiteral("Quillora"); }
    // The product's full name, as the messages that send a parent to the
    // installation or the folder name it.
    static QString productName() { return QStringLiteral("Quillora Maths Practice"); }

    // Returns the answer: true for OK/Yes, false for No.
    bool ask(const QString& title, const QString& message, PopUpButtons buttons, QWidget* owner);
    // A one-button notice.
    void tell(const QString& title, const QString& message, QWidget* owner) {
        ask(title, message, PopUpButtons::Ok, owner);
    }

    // The program is ending (a logout): the dialog open now is answered as
    // No (a notice is simply closed), and from now on every Ask returns
    // false at once without showing anything.
    void endAll();
    bool ended() const { return m_ended; }

    // Test seam: when set, it is called instead of showing the dialog and its
    // result is the answer.
    using Answerer =
        std::function<bool(const QString& title, const QString& message, PopUpButtons buttons)>;
    void setAnswerer(Answerer answerer) { m_answerer = std::move(answerer); }
    int askCount() const { return m_askCount; }

private:
    PictureCache& m_pictures;
    Answerer m_answerer;
    QPointer<frmPopUp> m_open;
    bool m_ended = false;
    int m_askCount = 0;
};
