#pragma once

// The program's exception tree. Every throw goes through BOOST_THROW_EXCEPTION, which records the
// throwing function, file and line and makes the object capturable by boost::current_exception.

#include <boost/exception/exception.hpp>
#include <boost/throw_exception.hpp>

#include <exception>

namespace kestle {

struct exception : virtual boost::exception, virtual std::exception
{ };

struct logic_error : virtual exception
{ };
struct domain_error : virtual logic_error
{ };

struct runtime_error : virtual exception
{ };
struct fatal_error : virtual runtime_error
{ };

struct communication_failure : virtual exception
{ };
struct open_file_failure : virtual exception
{ };
struct defective_config : virtual exception
{ };
struct convertible_version : virtual exception
{ };
struct nonsupport_version : virtual exception
{ };
struct sync_queue_disabled : virtual exception
{ };

} // namespace kestle
