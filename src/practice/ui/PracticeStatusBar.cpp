#include "practice/ui/PracticeStatusBar.h"

#include "chrome/PictureCache.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace {
constexpr int FallbackHeight = 28;
constexpr int RemainingWidth = 190; // pixels for "Qns left:" and the drop-down
constexpr int TimeWidth = 190;
constexpr int ScoreWidth = 150;
} // namespace

PracticeStatusBar::PracticeStatusBar(PictureCache& pictures, bool secondAttempt, QWidget* parent)
    : QWidget(parent), m_second(secondAttempt) {
    setObjectName(QStringLiteral("RemQnsBG"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(244, 245, 235));
    setPalette(palette);

    const QPixmap& plain = pictures.get(QStringLiteral("bottombg3.bmp"));
    m_bot1 = makeBackground("Bot1", plain);
    if (!m_second)
        m_bot2 = makeBackground("Bot2", plain);
    m_bot3 = makeBackground("Bot3", plain);

    // Remaining questions.
    auto* txtRem = new QLabel(this);
    txtRem->setObjectName(QStringLiteral("TxtRem"));
    txtRem->setPixmap(pictures.get(QStringLiteral("bottombg2.bmp")));
    txtRem->setScaledContents(true);
    m_txtRem = txtRem;
    auto* remRow = new QHBoxLayout(m_txtRem);
    remRow->setContentsMargins(8, 2, 4, 2);
    remRow->setSpacing(6);
    remRow->addWidget(makeText("TxtRemlbl", QStringLiteral("Qns left:"), m_txtRem));
    m_remQns = new QComboBox(m_txtRem);
    m_remQns->setObjectName(QStringLiteral("RemQns"));
    m_remQns->setToolTip(QStringLiteral("Select a remaining question"));
    m_remQns->setMinimumContentsLength(3);
    m_remQns->setAccessibleName(QStringLiteral("Questions left"));
    remRow->addWidget(m_remQns, 1);
    connect(m_remQns, &QComboBox::activated, this, [this](int index) {
        bool ok = false;
        const int q = m_remQns->itemText(index).toInt(&ok);
        if (ok)
            Q_EMIT questionPicked(q);
    });

    // Time and date (first attempt) or the attempt's caption (second).
    m_timePanel = new QWidget(this);
    auto* timeRow = new QHBoxLayout(m_timePanel);
    timeRow->setContentsMargins(6, 0, 6, 0);
    timeRow->setSpacing(6);
    if (!m_second) {
        m_clock = makeText("lblClock", QStringLiteral("00:00:00"), m_timePanel);
        m_clock->setToolTip(QStringLiteral("Clock"));
        m_lTime = makeText("LTime", QString(), m_timePanel);
        m_lTime->setToolTip(QStringLiteral("Time taken"));
        m_date = makeText("lblDate", QString(), m_timePanel);
        m_date->setToolTip(QStringLiteral("Date"));
        m_eTime = makeText("ETime", QString(), m_timePanel);
        m_eTime->setToolTip(QStringLiteral("Date marked"));
        m_lTime->hide();
        m_eTime->hide();
        for (QLabel* label : {m_clock, m_lTime, m_date, m_eTime})
            timeRow->addWidget(label);
    } else {
        timeRow->addWidget(makeText("PastSc", QStringLiteral("Second attempt"), m_timePanel));
    }
    timeRow->addStretch(1);

    m_scorePanel = new QWidget(this);
    auto* scoreRow = new QHBoxLayout(m_scorePanel);
    scoreRow->setContentsMargins(6, 0, 8, 0);
    scoreRow->setSpacing(4);
    scoreRow->addStretch(1);
    QLabel* caption =
        makeText(m_second ? "TScore" : "PScoringL", QStringLiteral("Score:"), m_scorePanel);
    m_score = makeText("PScoring", QString(), m_scorePanel);
    QFont bold = m_score->font();
    bold.setBold(true);
    m_score->setFont(bold);
    scoreRow->addWidget(caption);
    scoreRow->addWidget(m_score);
    if (!m_second)
        caption->hide();
    m_score->hide();

    setFixedHeight(plain.isNull()
                       ? FallbackHeight
                       : qMax(FallbackHeight, plain.deviceIndependentSize().toSize().height()));
}

QLabel* PracticeStatusBar::makeBackground(const char* name, const QPixmap& picture) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(picture);
    label->setScaledContents(true);
    label->lower();
    return label;
}

QLabel* PracticeStatusBar::makeText(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void PracticeStatusBar::setRemaining(const QList<int>& questions) {
    m_remQns->clear();
    for (int q : questions)
        m_remQns->addItem(QString::number(q));
    m_remQns->setCurrentIndex(-1);
}

void PracticeStatusBar::setClockText(const QString& text) {
    if (m_clock)
        m_clock->setText(text);
}

void PracticeStatusBar::setDateText(const QString& text) {
    if (m_date)
        m_date->setText(text);
}

void PracticeStatusBar::showMarked(const QString& timeTaken, const QString& markedOn,
                                   const QString& percent) {
    m_txtRem->hide();
    if (m_clock) {
        m_clock->hide();
        m_lTime->setText(timeTaken);
        m_lTime->show();
        m_date->hide();
        m_eTime->setText(markedOn);
        m_eTime->show();
        if (QLabel* caption = m_scorePanel->findChild<QLabel*>(QStringLiteral("PScoringL")))
            caption->show();
    }
    m_score->setText(percent.isEmpty() ? QString() : percent + QStringLiteral("%"));
    m_score->show();
}

void PracticeStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width();
    const int h = height();
    const int remWidth = qMin(RemainingWidth, w);
    m_txtRem->setGeometry(0, 0, remWidth, h);
    const int scoreLeft = qMax(remWidth, w - ScoreWidth);
    const int timeLeft = qMax(remWidth, scoreLeft - TimeWidth);
    m_bot1->setGeometry(remWidth, 0, qMax(0, timeLeft - remWidth), h);
    m_timePanel->setGeometry(timeLeft, 0, scoreLeft - timeLeft, h);
    if (m_bot2)
        m_bot2->setGeometry(m_timePanel->geometry());
    else
        m_bot1->setGeometry(remWidth, 0, qMax(0, scoreLeft - remWidth), h);
    m_scorePanel->setGeometry(scoreLeft, 0, w - scoreLeft, h);
    m_bot3->setGeometry(m_scorePanel->geometry());
    m_timePanel->raise();
    m_scorePanel->raise();
    m_txtRem->raise();
}
