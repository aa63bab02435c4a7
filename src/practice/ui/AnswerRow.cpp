#include "practice/ui/AnswerRow.h"

#include "chrome/FocusFrame.h"
#include "chrome/Twips.h"
#include "core/AnswerChecking.h"
#include "practice/ui/AnswerValidator.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolTip>

namespace {

// Places inside the row, in twips.
constexpr int PartLeft = 45;
constexpr int BoxLeft = 405;
constexpr int BoxTop = 60;
constexpr int BoxWidth = 1575;
constexpr int BoxHeight = 255;
constexpr int MarkLeft = 2040;
constexpr int MarkWidth = 330;
constexpr int ModelLeft = 2400;
constexpr int ModelWidth = 1455;
constexpr int BesideGap = 105;

const QColor BorderColour(178, 217, 246);
const QColor LockedColour(192, 192, 255);
const QColor TickColour(0, 140, 40);
const QColor CrossColour(205, 30, 30);

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(Twips::toPx(left), Twips::toPx(top), Twips::toPx(width), Twips::toPx(height));
}

void setBase(QLineEdit* box, const QColor& colour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, colour);
    box->setPalette(palette);
}

} // namespace

AnswerRow::AnswerRow(int k, bool secondAttempt, QWidget* parent) : QWidget(parent), m_k(k) {
    setObjectName(QStringLiteral("Frame%1").arg(k));
    resize(Twips::toPx(DesignWidth), Twips::toPx(DesignHeight));

    const QChar letter(char16_t(u'a' + k - 1));
    m_part = new QLabel(QStringLiteral("(%1)").arg(letter), this);
    m_part->setObjectName(QStringLiteral("QL%1").arg(k));
    m_part->setGeometry(twipsRect(PartLeft, BoxTop, BoxLeft - PartLeft - 30, BoxHeight));

    m_answer = new QLineEdit(this);
    m_answer->setObjectName(QStringLiteral("FA%1").arg(k));
    m_answer->setToolTip(QStringLiteral("Enter your answer"));
    m_answer->setFrame(false);
    auto* validator = new AnswerValidator(m_answer);
    m_answer->setValidator(validator);
    // A refused key or paste says why, instead of doing nothing at all.
    connect(m_answer, &QLineEdit::inputRejected, this, [this, validator] {
        QToolTip::showText(m_answer->mapToGlobal(QPoint(0, m_answer->height())),
                           refusedInputHint(validator->lastRefused()), m_answer, QRect(), 3000);
    });
    m_answer->setAccessibleName(QStringLiteral("Answer (%1)").arg(letter));
    m_answer->installEventFilter(this);

    QFont markFont = font();
    markFont.setPointSizeF(markFont.pointSizeF() * 1.35);
    markFont.setBold(true);
    m_firstMark = new QLabel(this);
    m_firstMark->setObjectName(QStringLiteral("FR%1").arg(k));
    m_firstMark->setAlignment(Qt::AlignCenter);
    m_firstMark->setFont(markFont);
    m_firstMark->hide();
    if (secondAttempt) {
        m_secondMark = new QLabel(this);
        m_secondMark->setObjectName(QStringLiteral("SR%1").arg(k));
        m_secondMark->setAlignment(Qt::AlignCenter);
        m_secondMark->setFont(markFont);
        m_secondMark->hide();
    }

    m_model = new QLineEdit(this);
    m_model->setObjectName(QStringLiteral("M%1").arg(k));
    m_model->setReadOnly(true);
    m_model->setFocusPolicy(Qt::NoFocus);
    m_model->setFrame(false);
    m_model->setToolTip(QStringLiteral("The correct answer"));
    m_model->setAccessibleName(QStringLiteral("Correct answer (%1)").arg(letter));
    QPalette modelPalette = m_model->palette();
    modelPalette.setColor(QPalette::Base, QColor(255, 250, 205));
    modelPalette.setColor(QPalette::Text, QColor(0, 90, 0));
    m_model->setPalette(modelPalette);
    m_model->hide();

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("T%1").arg(k));
    m_text->hide();

    sizeForKind(false);
}

void AnswerRow::setQuestion(int q, bool lettered) {
    const QString part =
        lettered ? QStringLiteral(" (%1)").arg(QChar(char16_t(u'a' + m_k - 1))) : QString();
    m_answer->setAccessibleName(QStringLiteral("Question %1, answer%2").arg(q).arg(part));
    m_model->setAccessibleName(QStringLiteral("Question %1, correct answer%2").arg(q).arg(part));
}

void AnswerRow::sizeForKind(bool longAnswer) {
    m_long = longAnswer;
    const int frameWidth = DesignWidth;
    if (!longAnswer) {
        resize(width(), Twips::toPx(DesignHeight));
        m_answer->setGeometry(twipsRect(BoxLeft, BoxTop, BoxWidth, BoxHeight));
        m_model->setGeometry(twipsRect(ModelLeft, BoxTop, ModelWidth, BoxHeight));
    } else {
        resize(width(), Twips::toPx(LongHeight));
        m_answer->setGeometry(twipsRect(BoxLeft, BoxTop, frameWidth - 1000, 1000));
        m_model->setGeometry(
            twipsRect(BoxLeft, BoxTop + 1000 + 100, frameWidth - 500 - BoxLeft, 1000));
    }
    placeMarks();
    update();
}

void AnswerRow::placeMarks() {
    const QRect box = m_answer->geometry();
    int left = Twips::toPx(MarkLeft);
    if (m_long)
        left = box.right() + 1 + Twips::toPx(100);
    const QRect mark(left, box.top(), Twips::toPx(MarkWidth), box.height());
    if (m_secondMark)
        m_secondMark->setGeometry(mark);
    if (m_firstMarkBesideBox)
        m_firstMark->setGeometry(
            mark.translated(box.right() + 1 + Twips::toPx(BesideGap) - left, 0));
    else
        m_firstMark->setGeometry(mark);
}

QString AnswerRow::refusedInputHint(QChar sign) {
    if (sign == u'\r' || sign == u'\n')
        return QStringLiteral("A line break cannot be used in an answer.");
    if (sign == u'\t')
        return QStringLiteral("A tab cannot be used in an answer.");
    if (sign.isNull() || !sign.isPrint() || sign.isSpace())
        return QStringLiteral("That sign cannot be used in an answer.");
    return QStringLiteral("The sign \"%1\" cannot be used in an answer.").arg(sign);
}

QString AnswerRow::markGlyph(ResultMark mark) {
    if (mark == ResultMark::Correct)
        return QString(QChar(0x2714));
    if (mark == ResultMark::Wrong)
        return QString(QChar(0x2718));
    return QString();
}

namespace {
void showMark(QLabel* label, ResultMark mark, bool visible) {
    label->setText(AnswerRow::markGlyph(mark));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, mark == ResultMark::Correct ? TickColour : CrossColour);
    label->setPalette(palette);
    const QString spoken = mark == ResultMark::Correct
                               ? QStringLiteral("correct")
                               : (mark == ResultMark::None ? QString() : QStringLiteral("wrong"));
    label->setAccessibleName(spoken);
    label->setAccessibleDescription(spoken);
    label->setVisible(visible);
}
} // namespace

void AnswerRow::fill(const AnswerRowContent& content) {
    m_model->setText(content.model);
    m_model->setCursorPosition(0);
    m_model->setVisible(content.showModel);

    m_firstMarkBesideBox = content.firstMarkBesideBox;
    placeMarks();
    showMark(m_firstMark, content.firstMark, content.showFirstMark);
    if (m_secondMark)
        showMark(m_secondMark, content.secondMark, content.showSecondMark);

    // The Q-setting: one character for a multiple-choice option number. A
    // longer answer already stored is shown whole rather than cut.
    const int limit = content.singleCharacter ? qMax(1, int(content.answer.size())) : 32767;
    m_answer->setMaxLength(limit);
    m_answer->setText(content.answer);
    m_answer->setCursorPosition(0);
    m_answer->setReadOnly(content.readOnly);
    m_answer->setFocusPolicy(content.readOnly && content.locked ? Qt::NoFocus : Qt::StrongFocus);
    setBase(m_answer, content.locked ? LockedColour : QColor(Qt::white));
}

void AnswerRow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The box's border: 30 twips out at the top and left, 15 at the bottom and right.
    const QRect box = m_answer->geometry();
    const int out = Twips::toPx(30);
    const int in = Twips::toPx(15);
    QPainter painter(this);
    painter.setPen(BorderColour);
    painter.drawRect(QRect(QPoint(box.left() - out, box.top() - out),
                           QPoint(box.right() + in, box.bottom() + in)));
    // The box draws no frame of its own, so the row shows where the typing
    // goes: a frame just outside the box, over its light-blue border.
    if (m_answer->hasFocus() && m_answer->isVisible())
        FocusFrame::paint(painter, QRectF(box).adjusted(-3, -3, 3, 3));
}

bool AnswerRow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_answer &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return QWidget::eventFilter(watched, event);
}
