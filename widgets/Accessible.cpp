// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Lumora developers
#include "widgets/Accessible.h"

#include "widgets/Form.h"

#include <QAccessibleWidget>

namespace Lumora::Accessible {

namespace {

// Qt asks for each class of an object in turn, from its own class up, until a factory
// answers; the windows derived from Form therefore all come here under Form's name.
QAccessibleInterface* forForm(const QString& className, QObject* object)
{
    if (className != QLatin1String(Form::staticMetaObject.className()))
        return nullptr;
    auto* form = static_cast<QWidget*>(object);
    if (!form->isWindow())
        return nullptr;
    return new QAccessibleWidget(form, QAccessible::Window);
}

} // namespace

void install()
{
    QAccessible::installFactory(forForm);
}

} // namespace Lumora::Accessible
