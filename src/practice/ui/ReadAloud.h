#pragma once
// Reading text aloud through the computer's speech engine, for the practice
// window's "Read to me" button.
//
// Nothing of the engine is started before the first reading: making one
// loads its plugin and sound output, which a pupil who never asks for it
// should not pay for. Whether an engine is installed at all is known at once
// (from the plugins' descriptions, without loading them); whether it can
// speak is learned on the first reading. When it cannot, reading is
// unavailable for the rest of the window's life and reason() says why in
// words for a parent; an engine that finds no sound output ends the search,
// as the others would play through the same. The engine reports its progress
// by signals; nothing here polls it.
//
// The text goes to the engine a line or two at a time, each once the one
// before has been said. Stopping never interrupts the engine: the flite
// engine of Qt 6.4 crashes when it is stopped, muted or destroyed while it
// still makes the sound of a line. So a stop ends the reading after the
// sentence under way (a line is a sentence or two), and a reading asked for
// meanwhile starts as soon as that has been said.

#include <QObject>
#include <QString>
#include <QStringList>

class QTextToSpeech;

class ReadAloud : public QObject {
    Q_OBJECT
public:
    // The engines tried, in this order, when none are named: flite starts
    // within the window in a few milliseconds and needs no other program;
    // speechd (with British English voices) starts a speech server of its
    // own the first time, which can hold the window for seconds.
    static QStringList defaultEngines();
    // A rate a little slower than the engines' own, steady for young
    // listeners (-1 slowest, 0 the engine's normal, 1 fastest).
    static constexpr double Rate = -0.2;

    explicit ReadAloud(const QStringList& engines = {}, QObject* parent = nullptr);
    ~ReadAloud() override;

    bool available() const { return m_reason.isEmpty(); }
    // Why reading aloud is not available; empty while it is.
    const QString& reason() const { return m_reason; }
    // From a reading's start until the engine has said it all or is stopped.
    bool reading() const { return m_reading; }
    // The engine still says a line (of a reading that may have been stopped).
    bool engineBusy() const { return m_busy; }

    // Starts the engine on the first call, then reads text from its start.
    void read(const QString& text);
    void stop();

    // The text of the last reading asked for.
    const QString& text() const { return m_text; }
    // The engine and voice that read; empty before the first reading.
    QString engineName() const;
    QString voiceName() const;

Q_SIGNALS:
    // reading() or available() has changed.
    void changed();

private:
    bool startEngine();
    void sayNextLine();
    void engineStateChanged(int state);
    void becomeUnavailable(const QString& reason);

    QStringList m_engines;
    QTextToSpeech* m_speech = nullptr;
    QString m_reason;
    QString m_text;
    QStringList m_lines; // still to be said
    QString m_line;      // the one the engine has
    bool m_reading = false;
    bool m_busy = false; // the engine has a line
    bool m_retried = false;
    bool m_retryNext = false;
};
