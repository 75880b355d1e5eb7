// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Look.h"

#include <QApplication>
#include <QIconEngine>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>

#include <system_error>

#include <dlfcn.h>
#include <pthread.h>
#include <sys/resource.h>

namespace Lumora::Look {

int pixels(Size size)
{
    switch (size) {
    case Size::Small: return 9;
    case Size::Normal: return 11;
    case Size::Large: return 13;
    }
    return 11;
}

namespace {

QFont font(const QString& family, Size size, int weight)
{
    QFont f(family);
    f.setPixelSize(pixels(size));
    f.setWeight(QFont::Weight(weight));
    // Hinting moves glyph edges to whole pixels, so wrapped captions break the same way
    // on every screen; the layouts were measured with it.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

int weight(bool bold)
{
    return bold ? QFont::Bold : QFont::Normal;
}

} // namespace

QFont text(Size size, bool bold)
{
    return font(QStringLiteral("Liberation Sans"), size, weight(bold));
}

QFont heavy(Size size)
{
    return font(QStringLiteral("Liberation Sans"), size, QFont::Black);
}

QFont condensed(Size size, bool bold)
{
    return font(QStringLiteral("Liberation Sans Narrow"), size, weight(bold));
}

QFont heading(Size size, bool bold)
{
    QFont f = font(QStringLiteral("Liberation Serif"), size, weight(bold));
    f.setCapitalization(QFont::SmallCaps);
    return f;
}

QIcon programIcon()
{
    // A window icon is drawn 16 to 64 pixels large. QIcon decodes every file it is given
    // at once, and the large sizes would cost the start-up more than all else in the
    // window; the desktop menu takes its large icons from the icon theme.
    // BMP, which Qt reads itself, keeps the PNG library out of the program's start.
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/assets/icon-%1.bmp").arg(size), QSize(size, size));
    return icon;
}

QPixmap picture(const QString& resource)
{
    // Kept for the program's life rather than in Qt's pixmap cache, whose 10 MB the
    // twice-as-large pictures outgrow: each step of the zoom would decode them again.
    // There are five pictures, 20 MB decoded in both sizes, and the large ones are
    // decoded only once the program is zoomed.
    static QHash<QString, QPixmap> decoded;
    // Freed with the application, while the window system still stands.
    static const bool freed = [] {
        qAddPostRoutine([] { decoded.clear(); });
        return true;
    }();
    Q_UNUSED(freed);
    auto found = decoded.constFind(resource);
    if (found == decoded.constEnd()) {
        QPixmap pixmap;
        pixmap.load(resource);
        found = decoded.insert(resource, pixmap);
    }
    return *found;
}

FontWarmUp::FontWarmUp()
{
    // Qt links fontconfig; it is looked up rather than linked a second time. Its
    // initialisation is thread-safe, and Qt's own call then finds it done.
    using Init = int (*)();
    auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
    // With a limited address space, every thread's stack of 8 MiB counts against it, and
    // Qt's D-Bus connection waits for ever for a helper thread that could not start. Smaller
    // stacks let Qt's threads start; the start goes without this one, whose work Qt then
    // does when it first asks for a font.
    rlimit memory{};
    if (getrlimit(RLIMIT_AS, &memory) == 0 && memory.rlim_cur != RLIM_INFINITY) {
        pthread_attr_t small;
        if (pthread_attr_init(&small) == 0) {
            pthread_attr_setstacksize(&small, 1024 * 1024);
            pthread_setattr_default_np(&small);
            pthread_attr_destroy(&small);
        }
        return;
    }
    try {
        m_thread = std::thread(init);
    } catch (const std::system_error&) {
    }
}

FontWarmUp::~FontWarmUp()
{
    wait();
}

void FontWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

namespace {

// A standard icon of the style, decoded the first time it is drawn.
class DeferredIcon : public QIconEngine
{
public:
    DeferredIcon(const QStyle* style, QStyle::StandardPixmap which)
        : m_style(style), m_which(which)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIcon(m_style, m_which); }

private:
    const QIcon& icon()
    {
        if (m_icon.isNull())
            m_icon = m_style->standardIcon(m_which);
        return m_icon;
    }

    const QStyle* m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
};

// Fusion, but for two things. The arrow a menu bar shows when its menus do not fit: every
// menu bar asks for that icon as it is built, and Fusion decodes its pictures at once;
// they cost more than all the rest of a menu bar, and with our short menus the arrow
// never shows. And the icons of message boxes' buttons.
class Style : public QProxyStyle
{
public:
    explicit Style(QStyle* base) : QProxyStyle(base) {}

    // The buttons of message boxes show their words only, as every other button of the
    // program does; Fusion would give OK a tick.
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new DeferredIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void apply(QApplication&, bool ownStyle)
{
    // One look on every desktop: Fusion draws the coloured button faces from the palette.
    QStyle* fusion = ownStyle ? QStyleFactory::create(QStringLiteral("Fusion")) : nullptr;
    if (fusion)
        QApplication::setStyle(new Style(fusion));
    QApplication::setFont(text());
    // The desktop's theme gives message boxes, menus, tooltips, edit boxes and lists
    // fonts of their own; every text of the program is in its own family and sizes.
    for (const char* kind : {"QMessageBox", "QMessageBoxLabel", "QMenu", "QMenuBar", "QTipLabel",
                             "QLineEdit", "QComboBox", "QAbstractItemView", "QPlainTextEdit"})
        QApplication::setFont(text(), kind);
    QToolTip::setFont(text());
}

} // namespace Lumora::Look
