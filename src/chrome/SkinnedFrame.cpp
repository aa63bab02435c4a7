#include "chrome/SkinnedFrame.h"

#include "chrome/HoverGroup.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/Twips.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRegion>
#include <QWidget>
#include <QWindow>

namespace {
const QColor ActiveTitleColour(255, 255, 255);
const QColor InactiveTitleColour(128, 128, 128);

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}
} // namespace

FrameOptions FrameOptions::MainWindow() {
    FrameOptions options;
    options.icon = QStringLiteral("Qzicon.ico");
    return options;
}

FrameOptions FrameOptions::PracticeWindow() {
    FrameOptions options;
    options.icon = QStringLiteral("pencil.ico");
    options.maxButton = true;
    return options;
}

FrameOptions FrameOptions::dialog() {
    FrameOptions options;
    options.titleName = QStringLiteral("lblTitle");
    options.bottomLeft = QStringLiteral("Border_bot_left.gif");
    options.bottomRight = QStringLiteral("Border_bot_right.gif");
    options.closeButton = false;
    options.minButton = false;
    options.paintsActivation = false;
    options.cutBottomCorners = true;
    options.titleLeftPx = Twips::toPx(240);
    return options;
}

SkinnedFrame::SkinnedFrame(QWidget* window, PictureCache& pictures, FrameOptions options)
    : QObject(window), m_window(window), m_pictures(pictures), m_options(std::move(options)) {
    m_window->setWindowFlag(Qt::FramelessWindowHint);

    m_topLeft = makePiece("BTopLeft", false);
    m_topCentre = makePiece("BTopCentre", true);
    m_topRight = makePiece("BTopRight", false);
    m_left = makePiece("BLeft", true);
    m_right = makePiece("BRight", true);
    m_botLeft = makePiece("BBotLeft", false);
    m_bot = makePiece("BBot", true);
    m_botRight = makePiece("BBotRight", false);

    const QSize edge(FallbackEdge, FallbackEdge);
    setPiecePicture(m_left, QStringLiteral("border_left.bmp"), edge);
    setPiecePicture(m_right, QStringLiteral("border_right.bmp"), edge);
    setPiecePicture(m_botLeft, m_options.bottomLeft, edge);
    setPiecePicture(m_botRight, m_options.bottomRight, edge);
    setPiecePicture(m_bot, QStringLiteral("border_bot.bmp"), edge);

    m_title = new QLabel(m_window);
    m_title->setObjectName(m_options.titleName);
    QFont titleFont(QStringLiteral("Trebuchet MS"));
    titleFont.setPointSizeF(9.5);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    m_title->setTextFormat(Qt::PlainText);

    if (!m_options.icon.isEmpty()) {
        m_icon = new QLabel(m_window);
        m_icon->setObjectName(QStringLiteral("ImgIco"));
        m_icon->setScaledContents(true);
        const QPixmap& icon = m_pictures.get(m_options.icon);
        const int side = FallbackButton - 2;
        m_icon->setPixmap(icon);
        m_icon->resize(icon.isNull()
                           ? QSize(side, side)
                           : icon.deviceIndependentSize().toSize().boundedTo(QSize(side, side)));
    }

    m_captionHover = new HoverGroup(this);
    auto makeButton = [this](const char* name, const QString& tip, void (SkinnedFrame::*signal)()) {
        auto* button = new PictureButton(QString::fromLatin1(name), m_window);
        button->resize(FallbackButton, FallbackButton);
        button->setToolTip(tip);
        // The keyboard closes a window through its own keys (Esc, the Close
        // button); caption buttons stay out of the Tab chain so that a window
        // does not open with its focus up in the title bar.
        button->setFocusPolicy(Qt::NoFocus);
        m_captionHover->add(button);
        connect(button, &PictureButton::clicked, this, signal);
        return button;
    };
    if (m_options.minButton)
        m_min = makeButton("imgProgMin", tr("Minimize"), &SkinnedFrame::minClicked);
    if (m_options.maxButton)
        m_max = makeButton("imgProgMax", tr("Restore"), &SkinnedFrame::maxClicked);
    if (m_options.closeButton)
        m_close = makeButton("imgProgClose", tr("Close"), &SkinnedFrame::closeClicked);

    for (QWidget* handle : {static_cast<QWidget*>(m_topLeft), static_cast<QWidget*>(m_topCentre),
                            static_cast<QWidget*>(m_topRight), static_cast<QWidget*>(m_title)})
        addDragHandle(handle);
    m_window->installEventFilter(this);

    paintCaptionActive();
}

QLabel* SkinnedFrame::makePiece(const char* name, bool stretched) {
    auto* piece = new QLabel(m_window);
    piece->setObjectName(QString::fromLatin1(name));
    piece->setScaledContents(stretched);
    return piece;
}

void SkinnedFrame::setPiecePicture(QLabel* piece, const QString& fileName, const QSize& fallback) {
    const QPixmap& picture = m_pictures.get(fileName);
    piece->setPixmap(picture);
    const QSize size = picture.isNull() ? fallback : picture.deviceIndependentSize().toSize();
    // Stretched pieces keep their length from layout(); only their thickness
    // comes from the picture.
    if (piece == m_topCentre)
        piece->resize(piece->width(), size.height());
    else if (piece == m_left || piece == m_right)
        piece->resize(size.width(), piece->height());
    else if (piece == m_bot)
        piece->resize(piece->width(), size.height());
    else
        piece->resize(size);
}

int SkinnedFrame::titleBarHeight() const {
    return m_topLeft->height();
}

QRect SkinnedFrame::clientRect() const {
    const int left = m_left->width();
    const int top = titleBarHeight();
    const int right = m_right->width();
    const int bottom = m_bot->height();
    return QRect(left, top, qMax(0, m_window->width() - left - right),
                 qMax(0, m_window->height() - top - bottom));
}

void SkinnedFrame::setTitle(const QString& text) {
    m_title->setText(text);
    layout();
}

void SkinnedFrame::layout() {
    const int w = m_window->width();
    const int h = m_window->height();

    m_topLeft->move(0, 0);
    m_topRight->move(w - m_topRight->width(), 0);
    m_topCentre->setGeometry(m_topLeft->width(), 0, qMax(0, m_topRight->x() - m_topLeft->width()),
                             m_topCentre->height());
    m_botLeft->move(0, h - m_botLeft->height());
    m_left->setGeometry(0, m_topLeft->height(), m_left->width(),
                        qMax(0, m_botLeft->y() - m_topLeft->height()));
    m_botRight->move(w - m_botRight->width(), h - m_botRight->height());
    m_right->setGeometry(w - m_right->width(), m_topRight->height(), m_right->width(),
                         qMax(0, m_botRight->y() - m_topRight->height()));
    m_bot->setGeometry(m_botLeft->width(), h - m_bot->height(),
                       qMax(0, m_botRight->x() - m_botLeft->width()), m_bot->height());

    // Caption buttons from the right: close, maximise, minimise.
    const int barHeight = m_topRight->height();
    int nextRight = w - Himetric::toPx(120);
    for (PictureButton* button : {m_close, m_max, m_min}) {
        if (!button)
            continue;
        button->move(nextRight - button->width(), (barHeight - button->height()) / 2);
        nextRight = button->x() - Himetric::toPx(60);
    }

    if (m_icon)
        m_icon->move(Himetric::toPx(240), (titleBarHeight() - m_icon->height()) / 2);
    const int titleRight = (m_close || m_min || m_max) ? nextRight - 4 : w - m_options.titleLeftPx;
    const int titleHeight = m_title->sizeHint().height();
    m_title->setGeometry(m_options.titleLeftPx, (titleBarHeight() - titleHeight) / 2,
                         qMax(0, titleRight - m_options.titleLeftPx), titleHeight);
}

QPolygon SkinnedFrame::outlinePolygon(int w, int h, bool cutBottomCorners) {
    QPolygon polygon;
    polygon << QPoint(0, 5) << QPoint(1, 3) << QPoint(2, 2) << QPoint(3, 1) << QPoint(5, 0)
            << QPoint(w - 5, 0) << QPoint(w - 3, 1) << QPoint(w - 2, 2) << QPoint(w - 2, 3)
            << QPoint(w, 5);
    if (cutBottomCorners) {
        polygon << QPoint(w, h - 7) << QPoint(w - 2, h - 3) << QPoint(w - 3, h - 2)
                << QPoint(w - 7, h) << QPoint(7, h) << QPoint(3, h - 2) << QPoint(2, h - 3)
                << QPoint(0, h - 7);
    } else {
        polygon << QPoint(w, h) << QPoint(0, h);
    }
    return polygon;
}

void SkinnedFrame::pRoundCorners() {
    m_window->setMask(
        QRegion(outlinePolygon(m_window->width(), m_window->height(), m_options.cutBottomCorners),
                Qt::WindingFill));
}

void SkinnedFrame::paintCaptionActive() {
    paintCaption(true);
}

void SkinnedFrame::paintCaptionInactive() {
    paintCaption(false);
}

void SkinnedFrame::paintCaption(bool active) {
    m_activeLook = active;
    setTextColour(m_title, active ? ActiveTitleColour : InactiveTitleColour);
    const QSize bar(FallbackEdge, FallbackTitleHeight);
    // "border_top_left.bmp", or "border_white_top_left.bmp" when inactive, and so on.
    const QString stem =
        active ? QStringLiteral("border_top_") : QStringLiteral("border_white_top_");
    setPiecePicture(m_topLeft, stem + QStringLiteral("left.bmp"), bar);
    setPiecePicture(m_topRight, stem + QStringLiteral("right.bmp"), bar);
    setPiecePicture(m_topCentre, stem + QStringLiteral("center.bmp"), bar);
    applyCaptionPictures();
    layout();
}

QString SkinnedFrame::maxPictureStem() const {
    return m_window->isMaximized() ? QStringLiteral("norm") : QStringLiteral("max");
}

void SkinnedFrame::applyCaptionPictures() {
    // While the window is inactive its caption buttons stay white; while it is
    // active they light up under the mouse.
    auto apply = [this](PictureButton* button, const QString& stem) {
        if (!button)
            return;
        if (m_activeLook) {
            button->setPictures(m_pictures.get(QStringLiteral("prog_blueoff_") + stem + ".bmp"),
                                m_pictures.get(QStringLiteral("prog_blue_") + stem + ".bmp"));
        } else {
            const QPixmap& white = m_pictures.get(QStringLiteral("prog_white_") + stem + ".bmp");
            button->setPictures(white, white);
        }
    };
    apply(m_close, QStringLiteral("close"));
    apply(m_max, maxPictureStem());
    apply(m_min, QStringLiteral("min"));
}

void SkinnedFrame::MoveForm(const QPoint& globalPos) {
    QWindow* handle = m_window->windowHandle();
    if (handle && handle->startSystemMove())
        return;
    // No platform move here (offscreen, or a display without a window
    // manager): follow the mouse ourselves.
    m_manualMove = true;
    m_moveStartGlobal = globalPos;
    m_moveStartWindow = m_window->pos();
}

void SkinnedFrame::addDragHandle(QWidget* widget) {
    widget->installEventFilter(this);
}

void SkinnedFrame::raise() {
    for (QWidget* piece : {static_cast<QWidget*>(m_topCentre), static_cast<QWidget*>(m_topLeft),
                           static_cast<QWidget*>(m_topRight), static_cast<QWidget*>(m_left),
                           static_cast<QWidget*>(m_right), static_cast<QWidget*>(m_bot),
                           static_cast<QWidget*>(m_botLeft), static_cast<QWidget*>(m_botRight),
                           static_cast<QWidget*>(m_icon), static_cast<QWidget*>(m_title),
                           static_cast<QWidget*>(m_min), static_cast<QWidget*>(m_max),
                           static_cast<QWidget*>(m_close)}) {
        if (piece)
            piece->raise();
    }
}

bool SkinnedFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        if (event->type() == QEvent::ActivationChange && m_options.paintsActivation) {
            const bool active = m_window->isActiveWindow();
            if (active)
                paintCaptionActive();
            else
                paintCaptionInactive();
            Q_EMIT activeChanged(active);
        } else if (event->type() == QEvent::WindowStateChange) {
            applyCaptionPictures();
            layout();
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        MoveForm(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        return true;
    case QEvent::MouseMove:
        if (m_manualMove) {
            const QPoint now = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            m_window->move(m_moveStartWindow + (now - m_moveStartGlobal));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_manualMove) {
            m_manualMove = false;
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}
