#include "practice/ui/PracticeStatusBar.h"

#include "chrome/Labels.h"
#include "chrome/PictureCache.h"
#include "chrome/Twips.h"
#include "practice/ui/ClockFace.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPainter>

namespace {
// Twips, as the window's other layout constants.
constexpr int StripInset = 30; // from the strip's left end to the first field
constexpr int FieldGap = 90;   // between the fields
// A field's size when its picture is missing.
constexpr int RemainingWidth = 2850;
constexpr int SmallWidth = 1440;
constexpr int FieldHeight = 390;
// Inside the list's field: its caption and list, with their margins.
constexpr int ListLeft = 120;
constexpr int ListRight = 60;
constexpr int ListTopBottom = 30;
constexpr int ListGap = 90;
// Inside the other fields: their texts centred, with margins each side.
constexpr int TextsInset = 60;
constexpr int TextsGap = 60;

QSize twipsToPx(int width, int height) {
    return QSize(Twips::toPx(width), Twips::toPx(height));
}

// Lays a row of labels centred on a field.
void centreOn(QLabel* field, const QList<QWidget*>& labels) {
    auto* row = new QHBoxLayout(field);
    const int inset = Twips::toPx(TextsInset);
    row->setContentsMargins(inset, 0, inset, 0);
    row->setSpacing(Twips::toPx(TextsGap));
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

    m_txtRem = makeField("TxtRem", pictures.get(QStringLiteral("bottombg2.bmp")),
                         twipsToPx(RemainingWidth, FieldHeight));
    // The list's field may be narrowed (fitToWidth); its picture follows.
    m_txtRem->setScaledContents(true);
    auto* remRow = new QHBoxLayout(m_txtRem);
    const int listEdge = Twips::toPx(ListTopBottom);
    remRow->setContentsMargins(Twips::toPx(ListLeft), listEdge, Twips::toPx(ListRight), listEdge);
    remRow->setSpacing(Twips::toPx(ListGap));
    m_remCaption = makeText("TxtRemlbl", QStringLiteral("Qns left:"), m_txtRem);
    remRow->addWidget(m_remCaption);
    m_remQns = new QComboBox(m_txtRem);
    m_remQns->setObjectName(QStringLiteral("RemQns"));
    m_remQns->setToolTip(QStringLiteral("Select a remaining question"));
    m_remQns->setAccessibleName(QStringLiteral("Questions left"));
    // Question numbers have two digits at most: in a narrow strip the list
    // narrows to them rather than push the clock out.
    m_remQns->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_remQns->setMinimumContentsLength(2);
    remRow->addWidget(m_remQns, 1);
    connect(m_remQns, &QComboBox::activated, this, [this](int index) {
        bool ok = false;
        const int q = m_remQns->itemText(index).toInt(&ok);
        if (ok)
            Q_EMIT questionPicked(q);
    });

    const QPixmap& small = pictures.get(QStringLiteral("bottombg3.bmp"));
    const QSize smallField = twipsToPx(SmallWidth, FieldHeight);
    QLabel* bot1 = makeField("Bot1", small, smallField);
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
        QLabel* bot2 = makeField("Bot2", small, smallField);
        m_date = makeText("lblDate", QString(), bot2);
        m_date->setToolTip(QStringLiteral("Date"));
        m_eTime = makeText("ETime", QString(), bot2);
        m_eTime->setToolTip(QStringLiteral("Date marked"));
        m_eTime->hide();
        centreOn(bot2, {m_date, m_eTime});
    } else {
        centreOn(bot1, {makeText("PastSc", QStringLiteral("Second try"), bot1)});
    }

    QLabel* bot3 = makeField("Bot3", small, smallField);
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

    // The pictures give the sizes, the row only places: only the list's
    // field narrows, down to what its caption and list need.
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(Twips::toPx(StripInset), 0, 0, 0);
    m_row->setSpacing(Twips::toPx(FieldGap));
    // The strip takes the view's width; what does not fit gives way inside.
    m_row->setSizeConstraint(QLayout::SetNoConstraint);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    for (QLabel* field : std::as_const(m_fields)) {
        if (field == m_txtRem) {
            field->setMaximumWidth(field->width());
            field->setFixedHeight(field->height());
        } else {
            field->setFixedSize(field->size());
        }
        m_row->addWidget(field, 0, Qt::AlignVCenter);
    }
    m_row->addStretch(1);
    fitToWidth();
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
    m_marked = true;
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
    fitToWidth();
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
    fitToWidth();
}

void PracticeStatusBar::fitToWidth() {
    QWidget* clockField = m_fields.at(1);
    QWidget* dateField = m_second ? nullptr : m_fields.at(2);
    QWidget* scoreField = m_fields.last();
    // The list's field at its narrowest, with its caption and without.
    const int full = m_txtRem->maximumWidth();
    const QLayout* remRow = m_txtRem->layout();
    const int bare = remRow->contentsMargins().left() + remRow->contentsMargins().right() +
                     m_remQns->minimumSizeHint().width();
    const int captioned = bare + remRow->spacing() + m_remCaption->sizeHint().width();

    // The parts that stay; once marked, `list` is the empty place the hidden
    // list keeps.
    bool list = true;
    bool caption = true;
    bool date = dateField != nullptr;
    bool score = true;
    const auto needed = [&] {
        const int gap = m_row->spacing();
        int sum = m_row->contentsMargins().left() + clockField->width();
        if (list)
            sum += qMin(full, caption ? captioned : bare) + gap;
        if (date)
            sum += gap + dateField->width();
        if (score)
            sum += gap + scoreField->width();
        return sum;
    };
    // What gives way, least needed first: before marking the score's field
    // (still empty), the date, the list's caption, then the list; once
    // marked the list's empty place, the date, then the score.
    bool* const givesWay[] = {m_marked ? &list : &score, &date, m_marked ? &score : &caption,
                              m_marked ? nullptr : &list};
    for (bool* part : givesWay) {
        if (!part || needed() <= width())
            break;
        *part = false;
    }

    m_remCaption->setVisible(caption);
    m_txtRem->setMinimumWidth(qMin(full, caption ? captioned : bare));
    QSizePolicy policy = m_txtRem->sizePolicy();
    policy.setRetainSizeWhenHidden(m_marked && list);
    m_txtRem->setSizePolicy(policy);
    m_txtRem->setVisible(list && !m_marked);
    if (dateField)
        dateField->setVisible(date);
    scoreField->setVisible(score);
}
