#include "practice/ui/MarkingProgress.h"

#include "chrome/PictureCache.h"
#include "chrome/Twips.h"

#include <QLabel>
#include <QPainter>

MarkingProgress::MarkingProgress(PictureCache& pictures, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmeMark"));
    m_background = pictures.get(QStringLiteral("bottombg4.bmp"));

    m_caption = new QLabel(QStringLiteral("Marking your practice..."), this);
    m_caption->setObjectName(QStringLiteral("lblMarking"));
    QFont font = m_caption->font();
    font.setBold(true);
    m_caption->setFont(font);

    const QPixmap& picture = pictures.get(QStringLiteral("progressbar.bmp"));
    const QSize barSize =
        picture.isNull() ? QSize(11, 18) : picture.deviceIndependentSize().toSize();
    const int pitch = qMax(Twips::ToPx(BarPitch), barSize.width() + 1);
    const int margin = 14;
    const int captionHeight = m_caption->sizeHint().height();
    for (int n = 1; n <= BarCount; ++n) {
        auto* bar = new QLabel(this);
        bar->setObjectName(QStringLiteral("imgBar%1").arg(n, 2, 10, QLatin1Char('0')));
        bar->setPixmap(picture);
        bar->setGeometry(margin + (n - 1) * pitch, margin + captionHeight + 6, barSize.width(),
                         barSize.height());
        bar->hide();
        m_bars.append(bar);
    }
    const int width = 2 * margin + (BarCount - 1) * pitch + barSize.width();
    m_caption->setGeometry(margin, margin - 2, width - 2 * margin, captionHeight);
    resize(qMax(width, m_caption->sizeHint().width() + 2 * margin),
           2 * margin + captionHeight + 6 + barSize.height());
    hide();
}

void MarkingProgress::run(const std::function<void(int)>& delay) {
    for (QLabel* bar : std::as_const(m_bars))
        bar->hide();
    raise();
    show();
    repaint();
    for (int n = 1; n <= BarCount; ++n) {
        if (delay)
            delay(StepMilliseconds);
        m_bars.at(n - 1)->show();
        m_bars.at(n - 1)->repaint();
        Q_EMIT barShown(n);
    }
    hide();
}

void MarkingProgress::paintEvent(QPaintEvent* event) {
    Q_UNUSED(event);
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawPixmap(rect(), m_background);
    else
        painter.fillRect(rect(), QColor(230, 236, 250));
    painter.setPen(QColor(120, 140, 180));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
