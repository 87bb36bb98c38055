#include "Utility/IntegerList.hpp"

#include "Utility/LoadStringFromApp.hpp"

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/split.hpp>
#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>

namespace Orvane::Utility {

std::vector<int> ParseIntegerList(const std::wstring& text)
{
    std::vector<std::wstring> items;
    boost::algorithm::split(items, text, boost::algorithm::is_any_of(L","));
    std::vector<int> numbers;
    for (std::wstring& item : items) {
        boost::algorithm::trim(item);
        if (!item.empty())
            numbers.push_back(boost::lexical_cast<int>(item));
    }
    return numbers;
}

std::vector<int> LoadIntegerList(std::uint32_t id)
{
    return ParseIntegerList(LoadStringFromApp(id));
}

} // namespace Orvane::Utility
