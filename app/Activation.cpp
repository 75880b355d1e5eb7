// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "Activation.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace Lumora {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

// The startup-notification protocol on X11: the launch's id on the window, an activation
// request carrying the time of the click that launched (which a window manager that
// prevents focus stealing weighs), and the message that ends the launch's feedback.
void bringForwardOnX11(QWidget* window, const QByteArray& startupId)
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || startupId.isEmpty())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom(connection, "_NET_STARTUP_ID"),
                        atom(connection, "UTF8_STRING"), 8, uint32_t(startupId.size()),
                        startupId.constData());

    const QRegularExpressionMatch time =
        QRegularExpression(QStringLiteral("_TIME(\\d+)$")).match(QString::fromLatin1(startupId));
    if (time.hasMatch()) {
        xcb_client_message_event_t activate{};
        activate.response_type = XCB_CLIENT_MESSAGE;
        activate.format = 32;
        activate.window = id;
        activate.type = atom(connection, "_NET_ACTIVE_WINDOW");
        activate.data.data32[0] = 1; // asked for by an application
        activate.data.data32[1] = time.captured(1).toUInt();
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&activate));
    }

    QByteArray message = "remove: ID=";
    for (const char c : startupId) {
        if (c == ' ' || c == '"' || c == '\\')
            message += '\\';
        message += c;
    }
    message += '\0';
    // In pieces of 20 bytes: the first of type _BEGIN, the rest continuing it.
    const xcb_atom_t begin = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype at = 0; at < message.size(); at += 20) {
        xcb_client_message_event_t piece{};
        piece.response_type = XCB_CLIENT_MESSAGE;
        piece.format = 8;
        piece.window = id;
        piece.type = at == 0 ? begin : more;
        std::memcpy(piece.data.data8, message.constData() + at,
                    std::size_t(std::min<qsizetype>(20, message.size() - at)));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                       reinterpret_cast<const char*>(&piece));
    }
    xcb_flush(connection);
}

} // namespace

Activation Activation::fromEnvironment()
{
    return {qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")};
}

QByteArray Activation::encode() const
{
    return waylandToken + '\0' + startupId + '\0';
}

Activation Activation::decode(const QByteArray& bytes)
{
    const QList<QByteArray> parts = bytes.split('\0');
    return {parts.value(0), parts.value(1)};
}

void Activation::bringForward(QWidget* window) const
{
    if (!window || !window->windowHandle())
        return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        // Qt's Wayland plugin activates with the token it finds here, and uses it up.
        if (!waylandToken.isEmpty())
            qputenv("XDG_ACTIVATION_TOKEN", waylandToken);
        window->windowHandle()->requestActivate();
    } else if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        bringForwardOnX11(window, startupId);
    }
}

void Activation::shown(QWidget* window) const
{
    if (!waylandToken.isEmpty() && qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN") &&
        QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        bringForward(window);
}

} // namespace Lumora
