#include "QX/DocumentFile.hpp"

#include <gtest/gtest.h>

using Orvane::HTTP::Net;
using Orvane::QX::DocumentFile;

TEST(DocumentFile, ExtensionFollowsTheContentType)
{
    EXPECT_EQ(L".jpeg", DocumentFile::Extension(Net::ContentType::JPEG));
    EXPECT_EQ(L".pdf", DocumentFile::Extension(Net::ContentType::PDF));
    EXPECT_EQ(L".tif", DocumentFile::Extension(Net::ContentType::TIFF));
    EXPECT_EQ(L".xml", DocumentFile::Extension(Net::ContentType::XML));
    EXPECT_EQ(L"", DocumentFile::Extension(Net::ContentType::Other));
}

TEST(DocumentFile, PathKeepsAMatchingExtensionElseGainsTheWantedOne)
{
    struct Case
    {
        std::wstring path;
        std::wstring wanted;
        std::wstring result;
    };
    const Case cases[] = {
        {L"/d/scan.pdf", L".pdf", L"/d/scan.pdf"},
        {L"/d/scan.PDF", L".pdf", L"/d/scan.PDF"},
        {L"/d/fax.TIFF", L".tif", L"/d/fax.TIFF"},
        {L"/d/photo.jpg", L".jpeg", L"/d/photo.jpg"},
        {L"/d/photo.pdf", L".jpeg", L"/d/photo.pdf.jpeg"},
        {L"/d/fax.tif", L".tiff", L"/d/fax.tif.tiff"},
        {L"/d/scan", L".pdf", L"/d/scan.pdf"},
        {L"/d.v2/scan", L".pdf", L"/d.v2/scan.pdf"},
        {L"/d/scan.pdf", L"", L"/d/scan.pdf"},
    };
    for (Case c : cases) {
        std::wstring path = c.path;
        DocumentFile::AdjustPath(path, c.wanted);
        EXPECT_EQ(c.result, path) << std::string(c.path.begin(), c.path.end());
    }
}
