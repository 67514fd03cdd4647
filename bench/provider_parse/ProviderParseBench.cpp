// Seconds to decode and parse one provider reply of 1, 2 and 4 MB on the
// wire, for the shapes a provider may send: as the provider program writes
// it (a line per tag), the same on one line, and the costliest shapes the
// reader still accepts. The floor is decoding the hex digits alone; rounds of
// the two alternate and the ratio is the median over the pairs.
#include <cstdio>
#include <string>

#include "bench/InterleavedRounds.h"

#include "base/com/ScopedComApartment.h"
#include "common/providerwire/ProviderFrame.h"

namespace {

struct Shape {
    const char* name;
    std::wstring head;
    std::wstring unit;   // repeated until the frame reaches the size
    std::wstring tail;
};

std::string Frame(const Shape& shape, size_t wireBytes)
{
    std::wstring text = shape.head;
    while ((text.size() + shape.unit.size() + shape.tail.size()) * 4 + 2 <= wireBytes)
        text += shape.unit;
    text += shape.tail;
    return EncodeProviderFrame(text);
}

}  // namespace

int main()
{
    const ScopedComApartment com;
    if (!com) {
        fprintf(stderr, "COM did not start\n");
        return 1;
    }
    const std::wstring entry =
        L"<entry day=\"2\" hour=\"0\" minute=\"0\" month=\"1\" second=\"0\" totaldays=\"39812.000000\" "
        L"value=\"19.52\" year=\"2009\">";
    // A value at the longest length that may hold a reference.
    std::wstring referencedValue(16000, L'x');
    for (size_t i = 0; i < referencedValue.size(); i += 40)
        referencedValue.replace(i, 5, L"&amp;");
    const Shape shapes[] = {
        {"entries, a line per tag", L"<response status=\"ok\">\r\n<data>\r\n", entry + L"\r\n</entry>\r\n",
         L"</data>\r\n</response>\r\n"},
        {"entries, one line", L"<response status=\"ok\"><data>", entry + L"</entry>", L"</data></response>"},
        {"empty elements, one line", L"<response>", L"<a/>", L"</response>"},
        {"references in text", L"<response>", L"a&amp;", L"</response>"},
        {"values at the reference bound", L"<response>\r\n", L"<e v=\"" + referencedValue + L"\"/>\r\n",
         L"</response>\r\n"},
    };
    int result = 0;
    for (size_t megabytes : {1, 2, 4}) {
        for (const Shape& shape : shapes) {
            const std::string frame = Frame(shape, megabytes << 20);
            const char* payload = frame.data() + 1;
            const size_t length = frame.size() - 2;
            const InterleavedFigures figures = MeasureInterleaved(
                3, 1, [&] { return static_cast<bool>(ParseProviderPayload(payload, length)); },
                [&] {
                    std::wstring text;
                    return DecodeProviderPayload(payload, length, text);
                });
            const bool parsed = figures.failures == 0;
            printf("%zu MB %-32s parse %6.3f s   (floor: decode %6.3f s)   %6.1fx%s\n", megabytes, shape.name,
                   figures.subjectMs / 1000, figures.floorMs / 1000, figures.ratio, parsed ? "" : "  NOT PARSED");
            fflush(stdout);
            if (!parsed)
                result = 1;
        }
    }
    return result;
}
