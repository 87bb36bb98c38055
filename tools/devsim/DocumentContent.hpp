#pragma once

#include <string>

namespace OrvaneDevSim {

// Stand-in bodies for documents added without content: small but valid files of the given type.
class DocumentContent
{
public:
    static std::string placeholder(const std::string& contentType, const std::string& title);

private:
    static std::string pdf(const std::string& title);
    static std::string tiff();
};

} // namespace OrvaneDevSim
