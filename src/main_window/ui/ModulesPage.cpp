#include "main_window/ui/ModulesPage.h"

#include "chrome/Backgrounds.h"
#include "chrome/HoverGroup.h"
#include "chrome/Labels.h"
#include "chrome/PictureButton.h"
#include "chrome/PictureCache.h"
#include "chrome/WidePicture.h"

#include <QLabel>

namespace {
const QSize FallbackButton(80, 26);
constexpr int Margin = 24;
constexpr int Gap = 8;
constexpr int RowGap = 18;

QLabel* wrapped(const QString& name, const QString& text, QWidget* parent, int width) {
    QLabel* label = Labels::text(name, text, parent);
    label->setWordWrap(true);
    label->resize(width, label->heightForWidth(width));
    return label;
}
} // namespace

ModulesPage::ModulesPage(PictureCache& pictures, Actions actions, const QSize& size,
                         QWidget* parent)
    : QWidget(parent), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("Body_Modules"));
    resize(size);
    Backgrounds::fill(this, Qt::white);
    const int textWidth = width() - 2 * Margin;

    QLabel* heading = Labels::text(QStringLiteral("lblModulesHead"), tr("Modules"), this);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    heading->setFont(big);
    heading->setGeometry(Margin, Margin, textWidth, QFontMetrics(big).height() + 4);

    m_intro = wrapped(QStringLiteral("lblModulesIntro"),
                      tr("A teacher can send a module of their own papers as one file "
                         "(\".qmodule\"). Add it here and it gets a tab of its own beside the "
                         "program's papers, with its own results for every pupil."),
                      this, textWidth);
    m_intro->move(Margin, heading->y() + heading->height() + Gap);

    auto* hover = new HoverGroup(this);
    const QPixmap& off = pictures.get(QStringLiteral("button_off.bmp"));
    const QPixmap& on = pictures.get(QStringLiteral("button_on.bmp"));
    auto makeButton = [&](const QString& name, const QString& caption, const QString& tip) {
        auto* button = new PictureButton(name, this);
        button->resize(FallbackButton);
        button->setPictures(off, on);
        button->addCaption(name + QStringLiteral("lbl"), caption);
        button->setToolTips(tip);
        hover->add(button);
        return button;
    };

    const int addTop = m_intro->y() + m_intro->height() + RowGap;
    m_add = makeButton(QStringLiteral("ButModuleAdd"), tr("Add a module\u2026"),
                       tr("Choose a module file to add"));
    // The longer caption gets a wider button of the same look.
    const int addWidth = m_add->fontMetrics().horizontalAdvance(m_add->caption()->text()) + 20;
    m_add->setPictures(WidePicture::widened(off, addWidth), WidePicture::widened(on, addWidth));
    m_add->move(Margin, addTop);
    connect(m_add, &PictureButton::clicked, this, [this] {
        if (m_actions.add)
            m_actions.add();
    });
    m_full = wrapped(QStringLiteral("lblModulesFull"),
                     tr("Both places for modules are taken: remove one to add another."), this,
                     textWidth);
    m_full->move(Margin, addTop);

    int y = addTop + qMax(m_add->height(), m_full->height()) + RowGap;
    m_none = wrapped(QStringLiteral("lblModulesNone"), tr("No module has been added yet."), this,
                     textWidth);
    m_none->move(Margin, y);

    QFont bold = font();
    bold.setBold(true);
    const int lineHeight = QFontMetrics(bold).height() + 2;
    for (Row& row : m_rows) {
        row.text = Labels::text(QString(), QString(), this);
        row.text->setGeometry(Margin, y, textWidth, 2 * lineHeight + 4);
        row.text->setFont(bold);
        row.text->setWordWrap(true);
        row.replace = makeButton(QString(), tr("Replace\u2026"), QString());
        row.remove = makeButton(QString(), tr("Remove\u2026"), QString());
        const int buttonTop = y + row.text->height() + 2;
        row.replace->move(Margin, buttonTop);
        row.remove->move(Margin + row.replace->width() + Gap, buttonTop);
        Row* which = &row;
        connect(row.replace, &PictureButton::clicked, this, [this, which] {
            if (m_actions.replace)
                m_actions.replace(which->slot);
        });
        connect(row.remove, &PictureButton::clicked, this, [this, which] {
            if (m_actions.remove)
                m_actions.remove(which->slot);
        });
        y = buttonTop + row.replace->height() + RowGap;
    }
}

void ModulesPage::refresh(const Modules& modules) {
    const bool free = modules.freeSlot() != 0;
    m_add->setVisible(free);
    m_full->setVisible(!free);
    m_none->setVisible(modules.loaded().isEmpty());
    for (int i = 0; i < int(m_rows.size()); ++i) {
        Row& row = m_rows[i];
        const Modules::Loaded* loaded =
            i < modules.loaded().size() ? &modules.loaded().at(i) : nullptr;
        row.slot = loaded ? loaded->slot : 0;
        for (QWidget* w : {static_cast<QWidget*>(row.text), static_cast<QWidget*>(row.replace),
                           static_cast<QWidget*>(row.remove)})
            w->setVisible(loaded != nullptr);
        if (!loaded)
            continue;
        row.text->setObjectName(QStringLiteral("lblModule%1").arg(row.slot));
        row.replace->setObjectName(QStringLiteral("ButModuleReplace%1").arg(row.slot));
        row.remove->setObjectName(QStringLiteral("ButModuleRemove%1").arg(row.slot));
        row.replace->caption()->setObjectName(row.replace->objectName() + QStringLiteral("lbl"));
        row.remove->caption()->setObjectName(row.remove->objectName() + QStringLiteral("lbl"));
        const QString by = loaded->author.isEmpty()
                               ? tr("version %1").arg(loaded->version)
                               : tr("version %1, by %2").arg(loaded->version).arg(loaded->author);
        const QString text = loaded->heading + QStringLiteral(" \u2013 ") + by;
        row.text->setText(QFontMetrics(row.text->font())
                              .elidedText(text, Qt::ElideRight, 2 * row.text->width() - 8));
        row.replace->setToolTips(tr("Replace %1 by a newer version").arg(loaded->heading));
        row.remove->setToolTips(tr("Remove %1").arg(loaded->heading));
    }
}
