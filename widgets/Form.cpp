// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Form.h"

#include "CaptionButton.h"
#include "Elide.h"
#include "Messages.h"
#include "Program.h"
#include "WindowRegistry.h"
#include "files/FileError.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace Lumora {

namespace {

// How long after the first window appears its icon is decoded: long enough for the
// window to have been drawn on any machine, short enough to go unnoticed.
constexpr auto kIconDelay = std::chrono::milliseconds(250);

QFont scaled(QFont font, qreal zoom)
{
    if (font.pixelSize() > 0)
        font.setPixelSize(std::max(1, qRound(font.pixelSize() * zoom)));
    else
        font.setPointSizeF(font.pointSizeF() * zoom);
    return font;
}

// The focus mark of the controls that do not draw one of their own (edit boxes, lists):
// a frame laid over the focused control, just inside its border, in the colour that
// stands out most from the control's face. Qt's own is a faint 1 pixel line.
class FocusMark : public QWidget
{
public:
    explicit FocusMark(Form* form) : QWidget(form), m_form(form)
    {
        setObjectName(QStringLiteral("focusMark"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            follow(now);
        });
    }

    void follow(QWidget* focus)
    {
        const bool marks = focus && focus->window() == m_form && !focus->isWindow() &&
                           (focus->inherits("QAbstractScrollArea") ||
                            focus->inherits("QLineEdit") || focus->inherits("QComboBox"));
        if (!marks) {
            hide();
            return;
        }
        setParent(focus);
        setGeometry(focus->rect());
        m_face = focus->palette().color(focus->inherits("QComboBox") ? QPalette::Button
                                                                      : QPalette::Base);
        show();
        raise();
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ParentChange && parentWidget())
            parentWidget()->installEventFilter(this);
        return QWidget::event(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        CaptionButton::paintFocusMark(painter, rect(), m_form->focusMarkWidth(), m_face);
    }

private:
    Form* m_form;
    QColor m_face;
};

} // namespace

Form::Form(Program& program, const QString& name, QSize clientSize, Frame frame)
    : QWidget(nullptr), m_program(program), m_client(new QWidget(this))
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    m_client->setObjectName(QStringLiteral("client"));
    // A plain window with the menu bar over its client area: QMainWindow's machinery
    // for tool bars and docks would only cost start-up time and memory.
    auto* frameLayout = new QVBoxLayout(this);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->setSpacing(0);
    frameLayout->addWidget(m_client);
    if (frame == Frame::Sizable) {
        m_client->setMinimumSize(0, 0);
        resize(clientSize);
        m_client->resize(clientSize);
        setWindowFlags(Qt::Window);
    } else {
        m_client->setFixedSize(clientSize);
        layout()->setSizeConstraint(QLayout::SetFixedSize);
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    }
    // Until its load sets it, a window's title is its own name, never seen.
    setTitle(name);

    // The zoom, by its keys anywhere in the window and in the context menu of its
    // background, where a user who does not know the keys finds them.
    const auto addZoom = [this](const char* name, const QString& text,
                                const QList<QKeySequence>& keys, auto act) {
        auto* action = new QAction(text, m_client);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, act);
        m_client->addAction(action);
    };
    addZoom("zoomIn", QStringLiteral("Zoom In"),
            {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
            [this] { m_program.zoomIn(); });
    addZoom("zoomOut", QStringLiteral("Zoom Out"), {QKeySequence::ZoomOut},
            [this] { m_program.zoomOut(); });
    addZoom("zoomNormal", QStringLiteral("Normal Size"), {QKeySequence(Qt::CTRL | Qt::Key_0)},
            [this] { m_program.setZoom(100); });
    m_client->setContextMenuPolicy(Qt::ActionsContextMenu);
    new FocusMark(this);
}

QRect Form::zoomed(const QRect& normal) const
{
    // Edges rather than sizes are scaled, so that neighbours sharing an edge still do.
    const QPoint topLeft(zoomed(normal.left()), zoomed(normal.top()));
    const QPoint end(zoomed(normal.left() + normal.width()), zoomed(normal.top() + normal.height()));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

void Form::takeNormalLook()
{
    if (m_tookNormalLook)
        return;
    m_tookNormalLook = true;
    layout()->activate();
    m_normalSize = size();
    m_normalClient = m_client->size();
    m_normalFont = font();
    const QList<QWidget*> all = findChildren<QWidget*>();
    for (QWidget* widget : all) {
        if (widget->isWindow())
            continue;
        const bool placed = widget->parentWidget() == m_client;
        const bool ownFont = widget->testAttribute(Qt::WA_SetFont);
        if (placed || ownFont)
            m_normal.append({widget, placed ? widget->geometry() : QRect(), widget->font(),
                             ownFont});
    }
}

void Form::applyZoom()
{
    const bool fixed = m_client->minimumSize() == m_client->maximumSize();
    if (!m_tookNormalLook)
        layout()->activate();
    const QSize normalSize = m_tookNormalLook && fixed ? m_normalSize : size() / m_zoom;
    // The largest step up to the program's with which the window, frame and all, fits
    // on its screen.
    const QRect room = screen() ? screen()->availableGeometry() : QRect();
    const QSize frame = frameGeometry().size() - size();
    int step = m_program.zoom();
    while (step > Program::kZoomSteps.front() && !room.isEmpty()) {
        const QSize wanted = normalSize * (step / 100.0) + frame;
        if (wanted.width() <= room.width() && wanted.height() <= room.height())
            break;
        step = Program::stepBelow(step);
    }
    const qreal zoom = step / 100.0;
    if (qFuzzyCompare(zoom, m_zoom))
        return;
    takeNormalLook();
    const qreal ratio = zoom / m_zoom;
    m_zoom = zoom;

    setUpdatesEnabled(false);
    setFont(scaled(m_normalFont, zoom));
    for (const Normal& normal : std::as_const(m_normal)) {
        if (!normal.widget)
            continue;
        if (normal.ownFont)
            normal.widget->setFont(scaled(normal.font, zoom));
        if (normal.geometry.isValid())
            normal.widget->setGeometry(zoomed(normal.geometry));
    }
    if (fixed)
        m_client->setFixedSize(zoomed(m_normalClient.width()), zoomed(m_normalClient.height()));
    layOutContents();
    layout()->activate();
    if (!fixed)
        resize(size() * ratio);
    setUpdatesEnabled(true);

    // Grown, the window stays on its screen.
    if (!room.isEmpty()) {
        const QRect outer = frameGeometry();
        QPoint shift;
        if (outer.right() > room.right())
            shift.rx() = std::max(room.left() - outer.left(), room.right() - outer.right());
        if (outer.bottom() > room.bottom())
            shift.ry() = std::max(room.top() - outer.top(), room.bottom() - outer.bottom());
        if (!shift.isNull())
            move(pos() + shift);
    }
}

QMenuBar* Form::menuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        layout()->setMenuBar(m_menuBar);
    }
    return m_menuBar;
}

void Form::placeClientAt(QPoint position)
{
    layout()->activate();
    const QPoint offset = m_client->geometry().topLeft();
    setGeometry(QRect(position - offset, size()));
}

void Form::addNotesHolders()
{
    m_folderHolder = new QLineEdit(m_client);
    m_folderHolder->setObjectName(QStringLiteral("Text1"));
    m_folderHolder->hide();
    m_notesHolder = new QLineEdit(m_client);
    m_notesHolder->setObjectName(QStringLiteral("Text2"));
    m_notesHolder->hide();
}

void Form::openNotes(const QString& name)
{
    try {
        const auto launch = m_program.notes().launch(name);
        m_folderHolder->setText(launch.folder);
        m_notesHolder->setText(name);
    } catch (const FileError& error) {
        Messages::report(this, error);
    }
}

bool Form::saveUnlessChanged(const std::function<void(bool overwrite)>& save,
                             const std::function<void()>& reload)
{
    for (bool overwrite = false;; overwrite = true) {
        try {
            save(overwrite);
            return true;
        } catch (const FileError& error) {
            if (error.kind() != FileError::Kind::ChangedOnDisk || overwrite) {
                Messages::report(this, error);
                return false;
            }
            switch (Messages::askAboutChange(this, error)) {
            case Messages::Change::Overwrite:
                continue;
            case Messages::Change::Reload:
                reload();
                return false;
            case Messages::Change::Cancel:
                return false;
            }
        }
    }
}

void Form::showProgramIcon()
{
    if (m_program.iconDecoded()) {
        setWindowIcon(m_program.icon());
        return;
    }
    // Decoding the icon's pictures is the largest single cost of showing the first
    // window; the icon follows a moment after the window has been drawn.
    QTimer::singleShot(kIconDelay, this, [this] { setWindowIcon(m_program.icon()); });
}

void Form::drawTitle()
{
    setTitle(m_program.captions().draw());
}

void Form::setTitle(const QString& title)
{
    // Given an empty title, Qt shows the program's name in the title bar instead; a zero
    // width space is a title that shows nothing. No title bar shows more than the start
    // of a long one, so no more than that goes to the window system and screen readers.
    setWindowTitle(title.isEmpty() ? QStringLiteral("\u200B") : shortened(title));
}

void Form::showEvent(QShowEvent* event)
{
    // A window opened while the program is zoomed opens zoomed.
    if (!event->spontaneous())
        applyZoom();
    QWidget::showEvent(event);
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        closesOnEscape()) {
        close();
        return;
    }
    // The menus have no mnemonics; F10 takes the keyboard to the menu bar instead.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier &&
        m_menuBar && !m_menuBar->actions().isEmpty()) {
        m_menuBar->setFocus(Qt::ShortcutFocusReason);
        m_menuBar->setActiveAction(m_menuBar->actions().first());
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        m_program.windows().forget(this);
}

} // namespace Lumora
