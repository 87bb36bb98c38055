#include "DocumentContent.hpp"

#include "Thumbnail.hpp"

#include <cstdio>
#include <vector>

namespace OrvaneDevSim {

std::string DocumentContent::placeholder(const std::string& contentType, const std::string& title)
{
    if (contentType == "image/jpeg")
        return Thumbnail::jpeg(title);
    if (contentType == "image/tiff")
        return tiff();
    if (contentType == "application/pdf")
        return pdf(title);
    return title + "\n";
}

std::string DocumentContent::pdf(const std::string& title)
{
    std::string text;
    for (const char c : title)
        if (c >= ' ' && c < 0x7F && c != '(' && c != ')' && c != '\\')
            text += c;
    const std::string stream = "BT /F1 12 Tf 20 100 Td (" + text + ") Tj ET";
    const std::vector<std::string> objects
        = {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
           "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 140] /Contents 4 0 R "
           "/Resources << /Font << /F1 5 0 R >> >> >>",
           "<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream",
           "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[24];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string DocumentContent::tiff()
{
    // A 1x1 white bilevel little-endian TIFF: header, one strip byte, then an IFD of 8 entries.
    const unsigned char bytes[] = {'I',  'I',  42, 0, 10, 0, 0, 0, // header, IFD at offset 10
                                   0x00, 0, // the strip (one white pixel: white is zero) and padding
                                   8,    0, // entry count
                                   0x00, 0x01, 3,  0, 1,  0, 0, 0, 1, 0, 0, 0, // ImageWidth 1
                                   0x01, 0x01, 3,  0, 1,  0, 0, 0, 1, 0, 0, 0, // ImageLength 1
                                   0x02, 0x01, 3,  0, 1,  0, 0, 0, 1, 0, 0, 0, // BitsPerSample 1
                                   0x03, 0x01, 3,  0, 1,  0, 0, 0, 1, 0, 0, 0, // Compression none
                                   0x06, 0x01, 3,  0, 1,  0, 0, 0, 0, 0, 0, 0, // Photometric white is zero
                                   0x11, 0x01, 4,  0, 1,  0, 0, 0, 8, 0, 0, 0, // StripOffsets 8
                                   0x16, 0x01, 3,  0, 1,  0, 0, 0, 1, 0, 0, 0, // RowsPerStrip 1
                                   0x17, 0x01, 4,  0, 1,  0, 0, 0, 1, 0, 0, 0, // StripByteCounts 1
                                   0,    0,    0,  0}; // no further IFD
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace OrvaneDevSim
