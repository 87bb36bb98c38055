#include "kestle/thread/boost_thread_actor_impl.hpp"

namespace kestle {

boost_thread_actor_impl::~boost_thread_actor_impl()
{
    if (m_thread.joinable())
        m_thread.detach();
}

void boost_thread_actor_impl::launch(std::function<void()> body)
{
    m_thread = boost::thread(std::move(body));
}

void boost_thread_actor_impl::interrupt()
{
    m_thread.interrupt();
}

void boost_thread_actor_impl::join()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kestle
