#include "WindowTest.h"

#include "Driving.h"
#include "widgets/Look.h"

#include <QApplication>
#include <QTest>

void WindowTest::initTestCase()
{
    Lumora::Look::apply(*qApp);
}

void WindowTest::init()
{
    m_run.emplace();
}

void WindowTest::cleanup()
{
    m_run.reset();
    QTRY_VERIFY(visibleWindows().isEmpty());
}
