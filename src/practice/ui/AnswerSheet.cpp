#include "practice/ui/AnswerSheet.h"

#include "chrome/Backgrounds.h"
#include "chrome/CaretRest.h"
#include "chrome/PictureCache.h"
#include "chrome/Twips.h"
#include "practice/ui/AnswerRow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

AnswerSheet::AnswerSheet(PictureCache& pictures, bool secondAttempt, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("AnsBox"));
    Backgrounds::fill(this, QColor(250, 251, 245));
    resize(Twips::toPx(DesignWidth), 400);

    m_instruction = new QLabel(this);
    m_instruction->setObjectName(QStringLiteral("PicInstruction"));
    m_instruction->setAlignment(Qt::AlignCenter);
    const QPixmap& picture = pictures.get(QStringLiteral("instruction.gif"));
    m_instruction->setPixmap(picture);
    m_instruction->resize(picture.isNull() ? QSize(width() - 16, 120)
                                           : picture.deviceIndependentSize().toSize());
    m_instruction->setToolTip(QStringLiteral("How to write fractions"));
    m_instruction->hide();

    for (int k = 1; k <= RowCount; ++k) {
        auto* row = new AnswerRow(k, secondAttempt, this);
        row->move(Twips::toPx(RowLeft), 0);
        row->hide();
        m_rows.append(row);
    }
    // Tab order follows the rows.
    for (int k = 1; k < RowCount; ++k)
        setTabOrder(m_rows.at(k - 1)->FA(), m_rows.at(k)->FA());
    auto* caretRest = new CaretRest(this);
    for (AnswerRow* row : std::as_const(m_rows)) {
        row->FA()->installEventFilter(this);
        caretRest->watch(row->FA());
    }
    stackAnswerRows(0);
}

void AnswerSheet::layoutAnswerSheet(const QList<AnswerRowContent>& contents, bool firstIsLong,
                                    bool showInstruction) {
    m_instruction->setVisible(showInstruction);
    const int n = qMin(int(contents.size()), RowCount);
    if (n >= 1)
        m_rows.first()->sizeForKind(firstIsLong);
    for (int k = 1; k <= n; ++k)
        m_rows.at(k - 1)->fill(contents.at(k - 1));
}

void AnswerSheet::stackAnswerRows(int n) {
    const int gap = Twips::toPx(n >= CrowdedRows ? CrowdedGap : Gap);
    int top = Twips::toPx(FirstRowTop);
    for (AnswerRow* row : std::as_const(m_rows)) {
        row->move(row->x(), top);
        top += row->height() + gap;
    }
}

void AnswerSheet::showAnswerRows(int n) {
    m_shown = qBound(0, n, int(RowCount));
    stackAnswerRows(n);
    for (int k = 1; k <= RowCount; ++k)
        m_rows.at(k - 1)->setVisible(k <= m_shown);
    m_rows.first()->QL()->setVisible(n >= 2);
    if (m_question > 0) {
        for (AnswerRow* row : std::as_const(m_rows))
            row->setQuestion(m_question, n >= 2);
    }
}

QStringList AnswerSheet::rowTexts(int n) const {
    QStringList texts;
    for (int k = 1; k <= qMin(n, int(RowCount)); ++k)
        texts << m_rows.at(k - 1)->FA()->text();
    return texts;
}

void AnswerSheet::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeInstruction();
}

void AnswerSheet::placeInstruction() {
    m_instruction->move(qMax(0, (width() - m_instruction->width()) / 2),
                        height() - m_instruction->height());
}

namespace {
bool takesFocus(const QLineEdit* box) {
    return (box->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && box->isEnabled();
}
} // namespace

int AnswerSheet::nextFocusableRow(int k) const {
    for (int j = qMax(k + 1, 1); j <= m_shown; ++j) {
        if (takesFocus(m_rows.at(j - 1)->FA()))
            return j;
    }
    return 0;
}

bool AnswerSheet::focusFirstBox() {
    const int k = nextFocusableRow(0);
    if (k == 0)
        return false;
    m_rows.at(k - 1)->FA()->setFocus(Qt::TabFocusReason);
    return true;
}

bool AnswerSheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QWidget::eventFilter(watched, event);
    // A held Enter moves one box only, so that it cannot race through the
    // paper.
    if (key->isAutoRepeat())
        return true;
    int k = 0;
    for (int j = 1; j <= RowCount && k == 0; ++j) {
        if (m_rows.at(j - 1)->FA() == watched)
            k = j;
    }
    const int next = nextFocusableRow(k);
    if (next != 0)
        m_rows.at(next - 1)->FA()->setFocus(Qt::TabFocusReason);
    else
        Q_EMIT enterPastLastBox();
    return true;
}
