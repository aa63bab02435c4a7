#include "main_window/ui/AboutPage.h"

#include "chrome/Backgrounds.h"
#include "chrome/ClickLabel.h"
#include "chrome/HoverGroup.h"
#include "chrome/Labels.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "main_window/ui/ProductWebPage.h"

#include <QLabel>
#include <QSysInfo>

namespace {
// The system this copy was built for, as a parent would name it.
QString buildPlatformName() {
#if defined(Q_OS_LINUX)
    return QStringLiteral("Linux");
#elif defined(Q_OS_WIN)
    return QStringLiteral("Windows");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("macOS");
#else
    return QSysInfo::kernelType();
#endif
}

const QSize FallbackLogo(96, 96);
constexpr int Top = 24;
constexpr int Gap = 8;

QLabel* centred(const char* name, const QString& text, QWidget* parent) {
    QLabel* label = Labels::text(QString::fromLatin1(name), text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

AboutPage::AboutPage(PictureCache& pictures, const QSize& size, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Body_About"));
    resize(size);
    Backgrounds::fill(this, Qt::white);

    m_logo = Labels::picture(QStringLiteral("Logo"), pictures.get(QStringLiteral("Logo.gif")),
                             FallbackLogo, this);

    m_name = centred("ProgramName", QString(), this);
    QFont nameFont = m_name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.5);
    m_name->setFont(nameFont);
    m_name->setWordWrap(true);

    m_platform = centred("lblPlatform", tr("For %1").arg(buildPlatformName()), this);
    m_version = centred("lblVersion", tr("Version 2.0"), this);

    m_link = new ClickLabel(QStringLiteral("lbl_QzURL"), this);
    m_link->setAlignment(Qt::AlignCenter);
    m_link->setText(ProductWebPage::address());
    m_link->setToolTip(tr("Go to Quillora home page"));
    QFont linkFont = m_link->font();
    linkFont.setUnderline(true);
    m_link->setFont(linkFont);
    QPalette linkColours = m_link->palette();
    linkColours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    m_link->setPalette(linkColours);
    const QPixmap& hand = pictures.get(QStringLiteral("hand.ico"));
    if (!hand.isNull())
        m_link->setCursor(QCursor(hand, 13, 2)); // hot spot at the finger tip
    connect(m_link, &ClickLabel::clicked, this, &AboutPage::lbl_QzURL_Click);

    m_modules = new PictureButton(QStringLiteral("ButModules"), this);
    m_modules->resize(80, 26);
    m_modules->setPictures(pictures.get(QStringLiteral("button_off.bmp")),
                           pictures.get(QStringLiteral("button_on.bmp")));
    m_modules->addCaption(QStringLiteral("ButModuleslbl"), tr("Modules\u2026"));
    m_modules->setToolTips(tr("Replace or remove a teacher's module"));
    (new HoverGroup(this))->add(m_modules);
    m_modules->hide();
    connect(m_modules, &PictureButton::clicked, this, &AboutPage::modulesClicked);

    layoutPage();
}

void AboutPage::setProgramName(const QString& name) {
    m_name->setText(name);
    layoutPage();
}

void AboutPage::setModulesButtonShown(bool shown) {
    m_modules->setVisible(shown);
}

void AboutPage::lbl_QzURL_Click() {
    ProductWebPage::OpenProductWebPage(window());
}

void AboutPage::layoutPage() {
    const int w = width();
    m_logo->move((w - m_logo->width()) / 2, Top);
    int y = m_logo->y() + m_logo->height() + 2 * Gap;
    for (QWidget* label : {static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_platform),
                           static_cast<QWidget*>(m_version), static_cast<QWidget*>(m_link)}) {
        const int h = label->heightForWidth(w - 2 * Gap) > 0 ? label->heightForWidth(w - 2 * Gap)
                                                             : label->sizeHint().height();
        label->setGeometry(Gap, y, w - 2 * Gap, h);
        y += h + Gap;
    }
    // The link is only as wide as its text, so the hand pointer and the click
    // stay on the address.
    m_link->adjustSize();
    m_link->move((w - m_link->width()) / 2, m_link->y());
    m_modules->move((w - m_modules->width()) / 2, m_link->y() + m_link->height() + 3 * Gap);
}
