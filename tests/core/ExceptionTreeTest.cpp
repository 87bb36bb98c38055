#include "Exceptions.hpp"
#include "HTTP/Exceptions.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "QX/Exceptions.hpp"
#include "RSS/Exceptions.hpp"

#include <boost/exception/diagnostic_information.hpp>
#include <boost/exception/exception.hpp>
#include <boost/exception_ptr.hpp>

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

namespace {

template <typename Thrown, typename Handler>
bool caughtBy()
{
    try {
        BOOST_THROW_EXCEPTION(Thrown());
    } catch (const Handler&) {
        return true;
    } catch (...) {
        return false;
    }
}

TEST(ExceptionTree, BaseHandlersCatchTheirFamilies)
{
    using namespace Orvane;
    EXPECT_TRUE((caughtBy<QX::MissingUser, kestle::communication_failure>()));
    EXPECT_TRUE((caughtBy<HTTP::NoAuthority, kestle::communication_failure>()));
    EXPECT_TRUE((caughtBy<QX::InvalidRSSFeed, kestle::communication_failure>()));
    EXPECT_TRUE((caughtBy<QX::InvalidRSSFeed, HTTP::Error>()));
    EXPECT_TRUE((caughtBy<HTTP::InvalidContentType, HTTP::InvalidResponse>()));
    EXPECT_TRUE((caughtBy<ApplicationBusy, kestle::logic_error>()));
    EXPECT_TRUE((caughtBy<MonitoredEntry::OverLimitEntryCount, kestle::logic_error>()));
    EXPECT_TRUE((caughtBy<RSS::InvalidTimeString, kestle::runtime_error>()));
    EXPECT_TRUE((caughtBy<kestle::fatal_error, std::exception>()));

    EXPECT_FALSE((caughtBy<kestle::runtime_error, kestle::logic_error>()));
    EXPECT_FALSE((caughtBy<kestle::defective_config, kestle::convertible_version>()));
    EXPECT_FALSE((caughtBy<kestle::convertible_version, kestle::defective_config>()));
    EXPECT_FALSE((caughtBy<QX::InvalidResponse, HTTP::InvalidResponse>()));
}

TEST(ExceptionTree, SystemErrorIsOutsideTheKestleTree)
{
    EXPECT_FALSE((caughtBy<kestle::exception, Orvane::SystemError>()));
    try {
        BOOST_THROW_EXCEPTION(Orvane::SystemError(ENOENT));
    } catch (const kestle::exception&) {
        FAIL() << "caught as kestle::exception";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(boost::system::error_code(ENOENT, boost::system::system_category()),
                  dynamic_cast<const Orvane::SystemError&>(e).code());
        EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos);
        // The throw site is recorded even on a type that is not a boost::exception.
        EXPECT_NE(boost::diagnostic_information(e).find("ExceptionTreeTest.cpp"), std::string::npos);
    }
}

TEST(ExceptionTree, SystemErrorFromErrno)
{
    errno = EACCES;
    EXPECT_EQ(EACCES, Orvane::SystemError::last().code().value());
}

TEST(ExceptionTree, CapturedOnOneThreadRethrownOnAnotherKeepsClassAndOrigin)
{
    boost::exception_ptr captured;
    int line = 0;
    std::thread([&] {
        try {
            line = __LINE__ + 1;
            BOOST_THROW_EXCEPTION(Orvane::QX::MachineBusy());
        } catch (...) {
            captured = boost::current_exception();
        }
    }).join();

    try {
        boost::rethrow_exception(captured);
    } catch (const Orvane::QX::MachineBusy& e) {
        const int* thrownLine = boost::get_error_info<boost::throw_line>(e);
        ASSERT_NE(nullptr, thrownLine);
        EXPECT_EQ(line, *thrownLine);
        EXPECT_NE(nullptr, boost::get_error_info<boost::throw_function>(e));
        EXPECT_NE(std::string(*boost::get_error_info<boost::throw_file>(e)).find("ExceptionTreeTest.cpp"),
                  std::string::npos);
    } catch (...) {
        FAIL() << "lost its class";
    }
}

} // namespace
