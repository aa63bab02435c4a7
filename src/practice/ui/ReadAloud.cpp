#include "practice/ui/ReadAloud.h"

#include "core/Log.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

namespace {

// Lines this short go with the next: a very short sound is the one the
// engine fails to play.
constexpr int MinimumChunk = 80;

const QString Unavailable = QStringLiteral("Reading aloud is not available: ");

QString noSoundReason(const QString& detail) {
    return Unavailable + QStringLiteral("the computer could not play the sound (%1). Please check "
                                        "that its sound works.")
                             .arg(detail);
}

bool isBritish(const QLocale& locale) {
    return locale.language() == QLocale::English && locale.territory() == QLocale::UnitedKingdom;
}

// A British English voice where the engine has one: by its locale, or
// flite's Scottish English voice, which it files under American English.
// Otherwise an English voice, otherwise the engine's own choice.
bool chooseVoice(QTextToSpeech& speech) {
    for (const QLocale& locale : speech.availableLocales()) {
        if (isBritish(locale)) {
            speech.setLocale(locale);
            break;
        }
    }
    const QList<QVoice> voices = speech.availableVoices();
    if (voices.isEmpty())
        return false;
    const QVoice* chosen = nullptr;
    for (const QVoice& voice : voices) {
        if (isBritish(voice.locale()) || voice.name() == QLatin1String("awb")) {
            chosen = &voice;
            break;
        }
    }
    for (const QVoice& voice : voices) {
        if (!chosen && voice.locale().language() == QLocale::English)
            chosen = &voice;
    }
    if (chosen)
        speech.setVoice(*chosen);
    return true;
}

} // namespace

QStringList ReadAloud::defaultEngines() {
    return {QStringLiteral("flite"), QStringLiteral("speechd")};
}

ReadAloud::ReadAloud(const QStringList& engines, QObject* parent)
    : QObject(parent), m_engines(engines.isEmpty() ? defaultEngines() : engines) {
    const QStringList installed = QTextToSpeech::availableEngines();
    QStringList usable;
    for (const QString& engine : m_engines) {
        if (installed.contains(engine))
            usable << engine;
    }
    m_engines = usable;
    if (m_engines.isEmpty())
        m_reason = Unavailable + QStringLiteral("no speech engine is installed on this computer. "
                                                "Quillora can read with the \"flite\" or "
                                                "\"speech-dispatcher\" speech programs.");
}

ReadAloud::~ReadAloud() {
    if (!m_speech || !m_busy)
        return;
    // Not destroyed while it sounds a line (see above): it goes when it has
    // finished. The program may end first: the application takes it along.
    QTextToSpeech* speech = m_speech;
    speech->disconnect(this);
    speech->setParent(QCoreApplication::instance());
    connect(speech, &QTextToSpeech::stateChanged, speech, [speech](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Ready || state == QTextToSpeech::Error)
            speech->deleteLater();
    });
}

bool ReadAloud::startEngine() {
    QStringList problems;
    for (const QString& engine : m_engines) {
        auto* speech = new QTextToSpeech(engine, this);
        QString problem;
        if (speech->engine() != engine)
            problem = QStringLiteral("%1 could not be loaded").arg(engine);
        else if (speech->state() == QTextToSpeech::Error ||
                 speech->errorReason() != QTextToSpeech::ErrorReason::NoError)
            problem = speech->errorString();
        else if (!chooseVoice(*speech))
            problem = QStringLiteral("%1 has no voice").arg(engine);
        if (!problem.isEmpty()) {
            qCWarning(lcQuillora) << "speech engine" << engine << "cannot read:" << problem;
            problems << problem;
            const bool noSound = speech->errorReason() == QTextToSpeech::ErrorReason::Playback;
            delete speech;
            // Every engine plays through the same sound output, so the next
            // would fail too, and not always by saying so: speechd then
            // takes lines it never finishes, and its server answers no
            // later start, which would hold the window for good.
            if (noSound) {
                becomeUnavailable(noSoundReason(problem));
                return false;
            }
            continue;
        }
        speech->setRate(Rate);
        connect(speech, &QTextToSpeech::stateChanged, this,
                [this](QTextToSpeech::State state) { engineStateChanged(state); });
        m_speech = speech;
        return true;
    }
    becomeUnavailable(Unavailable +
                      QStringLiteral("the computer's speech engine could not start (%1).")
                          .arg(problems.join(QStringLiteral("; "))));
    return false;
}

void ReadAloud::becomeUnavailable(const QString& reason) {
    m_reason = reason;
    m_reading = false;
    Q_EMIT changed();
}

void ReadAloud::read(const QString& text) {
    if (!available() || text.trimmed().isEmpty())
        return;
    if (!m_speech && !startEngine())
        return;
    m_text = text;
    m_lines.clear();
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!m_lines.isEmpty() && m_lines.last().size() < MinimumChunk)
            m_lines.last() += QLatin1Char(' ') + line;
        else
            m_lines << line;
    }
    m_reading = true;
    Q_EMIT changed();
    if (!m_busy)
        sayNextLine();
}

void ReadAloud::sayNextLine() {
    if (m_lines.isEmpty()) {
        m_reading = false;
        Q_EMIT changed();
        return;
    }
    m_line = m_lines.takeFirst();
    m_retried = m_retryNext;
    m_retryNext = false;
    m_busy = true;
    m_speech->say(m_line);
}

void ReadAloud::stop() {
    if (!m_reading)
        return;
    m_reading = false;
    m_lines.clear();
    Q_EMIT changed();
}

void ReadAloud::engineStateChanged(int state) {
    switch (state) {
    case QTextToSpeech::Ready:
        // A line said: on to the next.
        if (!m_busy)
            return;
        m_busy = false;
        if (m_reading)
            sayNextLine();
        return;
    case QTextToSpeech::Error: {
        const QString detail = m_speech->errorString();
        // The engine's first sound of a run can fail without a word when the
        // sound server answers late; the line is said again, once.
        if (detail.isEmpty() &&
            m_speech->errorReason() == QTextToSpeech::ErrorReason::Initialization) {
            if (m_reading && !m_retried) {
                m_lines.prepend(m_line);
                m_retryNext = true;
            }
            return;
        }
        const bool noSound = m_speech->errorReason() == QTextToSpeech::ErrorReason::Playback;
        qCWarning(lcQuillora) << "speech engine" << m_speech->engine() << "failed:" << detail;
        m_lines.clear();
        becomeUnavailable(noSound ? noSoundReason(detail)
                                  : Unavailable + QStringLiteral("the computer's speech engine "
                                                                 "stopped (%1).")
                                                      .arg(detail));
        return;
    }
    default:
        return;
    }
}

QString ReadAloud::engineName() const {
    return m_speech ? m_speech->engine() : QString();
}

QString ReadAloud::voiceName() const {
    return m_speech ? m_speech->voice().name() : QString();
}
