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
    m_app = &m_run->app;
    m_shell = &m_run->shell();
    m_opener = &m_run->opener();
}

void WindowTest::cleanup()
{
    m_run.reset();
    QTRY_VERIFY(visibleWindows().isEmpty());
}
