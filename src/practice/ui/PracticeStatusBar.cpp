#include "practice/ui/PracticeStatusBar.h"

#include "chrome/Labels.h"
#include "chrome/PictureCache.h"
#include "practice/ui/ClockFace.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPainter>

namespace {
constexpr int FieldGap = 6; // pixels between the fields
const QSize RemainingField(190, 26);
const QSize SmallField(96, 26);

// Lays a row of labels centred on a field.
void centreOn(QLabel* field, const QList<QWidget*>& labels) {
    auto* row = new QHBoxLayout(field);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(4);
    row->addStretch(1);
    for (QWidget* label : labels)
        row->addWidget(label);
    row->addStretch(1);
}
} // namespace

PracticeStatusBar::PracticeStatusBar(PictureCache& pictures, bool secondAttempt, QWidget* parent)
    : QWidget(parent), m_second(secondAttempt) {
    setObjectName(QStringLiteral("RemQnsBG"));
    m_background = pictures.get(QStringLiteral("bottombg1.bmp"));

    m_txtRem = makeField("TxtRem", pictures.get(QStringLiteral("bottombg2.bmp")), RemainingField);
    // The list's field may be narrowed (resizeEvent); its picture follows.
    m_txtRem->setScaledContents(true);
    m_remDesignWidth = m_txtRem->width();
    auto* remRow = new QHBoxLayout(m_txtRem);
    remRow->setContentsMargins(8, 2, 4, 2);
    remRow->setSpacing(6);
    remRow->addWidget(makeText("TxtRemlbl", QStringLiteral("Qns left:"), m_txtRem));
    m_remQns = new QComboBox(m_txtRem);
    m_remQns->setObjectName(QStringLiteral("RemQns"));
    m_remQns->setToolTip(QStringLiteral("Select a remaining question"));
    m_remQns->setAccessibleName(QStringLiteral("Questions left"));
    remRow->addWidget(m_remQns, 1);
    connect(m_remQns, &QComboBox::activated, this, [this](int index) {
        bool ok = false;
        const int q = m_remQns->itemText(index).toInt(&ok);
        if (ok)
            Q_EMIT questionPicked(q);
    });

    const QPixmap& small = pictures.get(QStringLiteral("bottombg3.bmp"));
    QLabel* bot1 = makeField("Bot1", small, SmallField);
    if (!m_second) {
        m_clock = new ClockFace(bot1);
        m_clock->setObjectName(QStringLiteral("lblClock"));
        m_clock->setText(QStringLiteral("00:00:00"));
        m_clock->setToolTip(QStringLiteral("Clock"));
        m_clock->setBackdrop(small);
        m_lTime = makeText("LTime", QString(), bot1);
        m_lTime->setToolTip(QStringLiteral("Time taken"));
        m_lTime->hide();
        centreOn(bot1, {m_clock, m_lTime});
        QLabel* bot2 = makeField("Bot2", small, SmallField);
        m_date = makeText("lblDate", QString(), bot2);
        m_date->setToolTip(QStringLiteral("Date"));
        m_eTime = makeText("ETime", QString(), bot2);
        m_eTime->setToolTip(QStringLiteral("Date marked"));
        m_eTime->hide();
        centreOn(bot2, {m_date, m_eTime});
    } else {
        centreOn(bot1, {makeText("PastSc", QStringLiteral("Second try"), bot1)});
    }

    QLabel* bot3 = makeField("Bot3", small, SmallField);
    m_scoreCaption = makeText(m_second ? "TScore" : "PScoringL", QStringLiteral("Score:"), bot3);
    m_score = makeText("PScoring", QString(), bot3);
    m_score->setToolTip(QStringLiteral("Score"));
    QFont bold = m_score->font();
    bold.setBold(true);
    m_score->setFont(bold);
    centreOn(bot3, {m_scoreCaption, m_score});
    if (!m_second)
        m_scoreCaption->hide();
    m_score->hide();

    int height = 0;
    for (QLabel* field : std::as_const(m_fields))
        height = qMax(height, field->height());
    setFixedHeight(qMax(height, m_background.isNull()
                                    ? 0
                                    : int(m_background.deviceIndependentSize().height())) +
                   4);
}

QLabel* PracticeStatusBar::makeField(const char* name, const QPixmap& picture,
                                     const QSize& fallback) {
    QLabel* field = Labels::picture(QString::fromLatin1(name), picture, fallback, this);
    m_fields.append(field);
    return field;
}

QLabel* PracticeStatusBar::makeText(const char* name, const QString& text, QWidget* parent) {
    return Labels::text(QString::fromLatin1(name), text, parent);
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
    }
    m_scoreCaption->show();
    m_score->setText(percent.isEmpty() ? QString() : percent + QStringLiteral("%"));
    m_score->show();
}

void PracticeStatusBar::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    if (m_background.isNull())
        painter.fillRect(rect(), QColor(244, 245, 235));
    else
        painter.drawPixmap(rect(), m_background);
}

void PracticeStatusBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // A strip too narrow for every field (a small window, or a large scale
    // on a small screen) narrows the list's field first, so that the clock,
    // the date and the score stay whole.
    int needed = 2 + m_remDesignWidth;
    for (QLabel* field : std::as_const(m_fields)) {
        if (field != m_txtRem)
            needed += FieldGap + field->width();
    }
    const int narrowest = qMin(m_remDesignWidth, m_txtRem->layout()->minimumSize().width());
    m_txtRem->resize(qMax(narrowest, m_remDesignWidth - qMax(0, needed - width())),
                     m_txtRem->height());

    // Fields from the left; the hidden list keeps its place empty.
    int left = 2;
    for (QLabel* field : std::as_const(m_fields)) {
        field->move(left, (height() - field->height()) / 2);
        left += field->width() + FieldGap;
    }
}
