#include "main_window/ui/NavigationBar.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/ReaderTree.h"
#include "chrome/Twips.h"
#include "chrome/WidePicture.h"
#include "core/ProgramDefinition.h"

#include <QLabel>
#include <QPainter>
#include <QShortcut>

namespace {
const QSize FallbackTab(92, 24);
const QSize FallbackTool(60, 46);
constexpr int TabOverlap = 4;
constexpr int StripPadding = 4;
// The tool-bar pictures hold their icon in the upper part; the caption lies
// over the lower part.
constexpr int ToolCaptionTop = 29;
constexpr int ToolCaptionHeight = 16;

struct ToolColumn {
    const char* caption;
    const char* tipFormat; // %1 is the caption
    const char* picture;
};
// Per button: the module-tab column and the help-tab column (null: not shown).
const ToolColumn ModuleColumn[4] = {{"Home", "Load %1 page", "home"},
                                    {"Report", "Load %1 card", "report"},
                                    {"Print", "%1 results", "print"},
                                    {"Close", "%1 program", "close"}};
const ToolColumn HelpColumn[4] = {{"About", "%1 Quillora", "about"},
                                  {"Trash", "%1 past results", "trash"},
                                  {"Pupils", "%1 who practise here", "about"},
                                  {"Setup", "Printer %1", "setup"}};
constexpr int PupilsButton = 3;

// The Pupils button wears the tool bar's face with two figures for its icon
// (the icon's box is 24 x 24 at (18, 4); pressed, it moves 1 px down and right).
QPixmap pupilsFace(const QPixmap& face, bool pressed) {
    if (face.isNull())
        return face;
    QPixmap picture = face.copy();
    const QImage image = face.toImage();
    const qreal ratio = face.devicePixelRatio();
    QPainter painter(&picture);
    const QRect box(18, 4, 26, 26);
    // The face's own colour, line by line, over the old icon.
    for (int y = box.top(); y <= box.bottom(); ++y) {
        const QPoint sample(int(8 * ratio), qMin(int(y * ratio), image.height() - 1));
        painter.fillRect(QRect(box.left(), y, box.width(), 1), image.pixelColor(sample));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    auto figure = [&](QPointF head, qreal size, const QColor& colour) {
        painter.setBrush(colour);
        painter.drawEllipse(head + shift, size * 0.32, size * 0.32);
        const QRectF body(head.x() - size * 0.55, head.y() + size * 0.38, size * 1.1, size * 0.9);
        painter.drawChord(body.translated(shift), 0, 180 * 16);
    };
    figure(QPointF(35, 10), 12, QColor(0x8c, 0xc3, 0xf5));
    figure(QPointF(27, 12), 14, QColor(0x1d, 0x4f, 0x91));
    return picture;
}
} // namespace

NavigationBar::NavigationBar(QWidget* window, PictureCache& pictures)
    : QObject(window), m_pictures(pictures) {
    m_strip = new QWidget(window);
    m_strip->setObjectName(QStringLiteral("ScnTabBG"));
    Backgrounds::fill(m_strip, Backgrounds::panel());

    m_tabHover = new HoverGroup(this);
    for (int n = 1; n <= Tabs; ++n) {
        auto* tab =
            new PictureButton(QStringLiteral("Tab%1").arg(n, 2, 10, QLatin1Char('0')), window);
        tab->resize(FallbackTab);
        QLabel* caption = tab->addCaption(tab->objectName() + QStringLiteral("lbl"), QString());
        caption->setTextFormat(Qt::PlainText);
        m_tabHover->add(tab);
        connect(tab, &PictureButton::clicked, this, [this, n] { Q_EMIT tabClicked(n); });
        m_tabs[n - 1] = tab;

        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + n - 1)), window);
        key->setAutoRepeat(false);
        connect(key, &QShortcut::activated, this, [this, n] {
            if (m_present[n - 1])
                Q_EMIT tabClicked(n);
        });
    }

    m_toolHover = new HoverGroup(this);
    m_toolHover->setTracksPress(true);
    QFont small = window->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    for (int n = 1; n <= Buttons; ++n) {
        auto* button =
            new PictureButton(QStringLiteral("ToolBar%1").arg(n, 2, 10, QLatin1Char('0')), m_strip);
        button->resize(FallbackTool);
        QLabel* caption = button->addCaption(
            QStringLiteral("lblTB%1").arg(n, 2, 10, QLatin1Char('0')), QString());
        caption->setFont(small);
        m_toolHover->add(button);
        connect(button, &PictureButton::clicked, this, [this, n] { Q_EMIT toolBarClicked(n); });
        m_buttons[n - 1] = button;
    }
    showSelection(1);
}

void NavigationBar::setCaptions(const ProgramDefinition& definition, int freeSlot) {
    m_free = freeSlot;
    for (int m = 1; m <= 3; ++m) {
        const QString& heading = definition.module(m).heading;
        if (m == m_free) {
            PictureButton* tab = m_tabs[m - 1];
            tab->setCaptionText(tr("Add a module\u2026"));
            tab->setToolTips(tr("Add a module of a teacher's own papers"));
            // Wide enough for the caption in bold, as when chosen.
            QFont bold = tab->caption()->font();
            bold.setBold(true);
            m_freeWidth = QFontMetrics(bold).horizontalAdvance(tab->caption()->text()) + 16;
            continue;
        }
        m_tabs[m - 1]->setCaptionText(heading);
        m_tabs[m - 1]->setToolTips(tr("Load %1 Module").arg(heading));
    }
    m_tabs[HelpTab - 1]->setCaptionText(tr("Help"));
    m_tabs[HelpTab - 1]->setToolTips(tr("Help"));
    // The tabs' widths follow their pictures: set before they are laid out.
    showSelection(m_chosen);
}

void NavigationBar::layoutTabs(const ProgramDefinition& definition, int left, int top, int width) {
    int stripHeight = 0;
    for (PictureButton* button : m_buttons)
        stripHeight = qMax(stripHeight, button->height());
    stripHeight += 2 * StripPadding;
    m_strip->setGeometry(left, top, width, stripHeight);

    // The tool-bar buttons stand 120 twips apart from the strip's left.
    int x = Twips::toPx(120);
    for (PictureButton* button : m_buttons) {
        button->move(x, StripPadding);
        button->setCaptionArea(QRect(0, ToolCaptionTop, button->width(), ToolCaptionHeight));
        x += button->width() + Twips::toPx(120);
    }

    x = left;
    for (int m = 1; m <= 3; ++m) {
        PictureButton* tab = m_tabs[m - 1];
        m_present[m - 1] = definition.module(m).exists() || m == m_free;
        tab->setFocusPolicy(m_present[m - 1] ? Qt::TabFocus : Qt::NoFocus);
        // The tab of a module the program lacks does nothing: not read out.
        ReaderTree::setReadAs(tab, m_present[m - 1] ? ReaderTree::ReadAs::Default
                                                    : ReaderTree::ReadAs::Silent);
        if (m_present[m - 1]) {
            tab->move(x, tab->y());
            x += tab->width() - TabOverlap;
        } else {
            tab->move(-m_tabs[0]->width(), tab->y());
        }
    }
    m_tabs[HelpTab - 1]->move(x, m_tabs[HelpTab - 1]->y());
}

void NavigationBar::RaiseTab(int n) {
    for (int i = Tabs; i >= 1; --i)
        m_tabs[i - 1]->raise();
    m_strip->raise();
    if (n >= 1 && n <= Tabs)
        m_tabs[n - 1]->raise();
    // The other tabs tuck their lower edge under the strip; the chosen one
    // lies on it and joins it.
    const int stripTop = m_strip->y();
    for (PictureButton* tab : m_tabs)
        tab->move(tab->x(), stripTop - tab->height() + 3);
    if (n >= 1 && n <= Tabs)
        m_tabs[n - 1]->move(m_tabs[n - 1]->x(), stripTop - m_tabs[n - 1]->height() + 1);
}

void NavigationBar::showSelection(int chosenTab) {
    m_chosen = chosenTab;
    for (int n = 1; n <= Tabs; ++n) {
        const QString side = n == chosenTab ? QStringLiteral("front") : QStringLiteral("back");
        const int wide = n == m_free ? m_freeWidth : 0;
        m_tabs[n - 1]->setPictures(
            WidePicture::widened(m_pictures.get(QStringLiteral("tabs_%1_off.bmp").arg(side)), wide),
            WidePicture::widened(m_pictures.get(QStringLiteral("tabs_%1_on.bmp").arg(side)), wide));
        QFont font = m_tabs[n - 1]->caption()->font();
        font.setBold(n == chosenTab);
        m_tabs[n - 1]->caption()->setFont(font);
    }

    const ToolColumn* column = chosenTab == HelpTab ? HelpColumn : ModuleColumn;
    for (int n = 1; n <= Buttons; ++n) {
        PictureButton* button = m_buttons[n - 1];
        const ToolColumn& entry = column[n - 1];
        // A free tab has no module to show, report or print.
        if (!entry.caption || (chosenTab == m_free && n != Buttons)) {
            button->hide();
            continue;
        }
        const QString caption = tr(entry.caption);
        button->setCaptionText(caption);
        button->setToolTips(tr(entry.tipFormat).arg(caption));
        const QString stem = QString::fromLatin1(entry.picture);
        const QPixmap& off = m_pictures.get(stem + QStringLiteral("_off.bmp"));
        const QPixmap& on = m_pictures.get(stem + QStringLiteral("_on.bmp"));
        const QPixmap& pressed = m_pictures.get(stem + QStringLiteral("_pressed.bmp"));
        if (column == HelpColumn && n == PupilsButton)
            button->setPictures(pupilsFace(off, false), pupilsFace(on, false),
                                pupilsFace(pressed, true));
        else
            button->setPictures(off, on, pressed);
        button->show();
    }
}
