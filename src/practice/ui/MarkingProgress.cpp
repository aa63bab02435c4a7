#include "practice/ui/MarkingProgress.h"

#include "chrome/PictureCache.h"
#include "chrome/Twips.h"
#include "practice/ui/MarkingProgressAccessible.h"

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QTimer>

MarkingProgress::MarkingProgress(PictureCache& pictures, QWidget* parent) : QWidget(parent) {
    static const bool accessible = [] {
        QAccessible::installFactory(&MarkingProgressAccessible::create);
        return true;
    }();
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("fmeMark"));
    setToolTip(QStringLiteral("Marking your practice"));
    setAccessibleName(QStringLiteral("Marking your practice"));
    m_background = pictures.get(QStringLiteral("bottombg4.bmp"));
    const QSize panel =
        m_background.isNull() ? QSize(206, 26) : m_background.deviceIndependentSize().toSize();

    const QPixmap& picture = pictures.get(QStringLiteral("progressbar.bmp"));
    const QSize barSize =
        picture.isNull() ? QSize(11, 16) : picture.deviceIndependentSize().toSize();
    const int pitch = qMax(Twips::toPx(BarPitch), barSize.width() + 1);
    const int barsWidth = (BarCount - 1) * pitch + barSize.width();
    const QSize size(qMax(panel.width(), barsWidth + 8),
                     qMax(panel.height(), barSize.height() + 4));
    const int left = (size.width() - barsWidth) / 2;
    const int top = (size.height() - barSize.height()) / 2;
    for (int n = 1; n <= BarCount; ++n) {
        auto* bar = new QLabel(this);
        bar->setObjectName(QStringLiteral("imgBar%1").arg(n, 2, 10, QLatin1Char('0')));
        bar->setPixmap(picture);
        bar->setGeometry(left + (n - 1) * pitch, top, barSize.width(), barSize.height());
        bar->hide();
        m_bars.append(bar);
    }
    resize(size);
    hide();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("MarkingStep"));
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!step())
            return;
        m_timer->stop();
        hide();
        Q_EMIT finished();
    });
}

void MarkingProgress::begin() {
    m_timer->stop();
    for (QLabel* bar : std::as_const(m_bars))
        bar->hide();
    setShownBars(0);
    raise();
    show();
    repaint();
}

bool MarkingProgress::step() {
    const int n = m_shownBars + 1;
    m_bars.at(n - 1)->show();
    m_bars.at(n - 1)->repaint();
    setShownBars(n);
    Q_EMIT barShown(n);
    return n == BarCount;
}

void MarkingProgress::start(int stepMilliseconds) {
    begin();
    m_timer->start(qMax(0, stepMilliseconds));
}

void MarkingProgress::stop() {
    m_timer->stop();
    hide();
}

void MarkingProgress::run(const std::function<void(int)>& delay) {
    begin();
    bool last = false;
    while (!last) {
        if (delay)
            delay(StepMilliseconds);
        last = step();
    }
    hide();
    Q_EMIT finished();
}

QString MarkingProgress::progressText() const {
    if (m_shownBars == 0)
        return QString();
    return QStringLiteral("Marking %1 of %2").arg(m_shownBars).arg(int(BarCount));
}

void MarkingProgress::setShownBars(int n) {
    m_shownBars = n;
    setAccessibleDescription(progressText());
    QAccessibleValueChangeEvent change(this, n);
    QAccessible::updateAccessibility(&change);
}

void MarkingProgress::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    if (!m_background.isNull()) {
        painter.drawPixmap(rect(), m_background);
    } else {
        painter.fillRect(rect(), QColor(250, 251, 253));
        painter.setPen(QColor(160, 175, 200));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
