// Reading an HTML-only mail of 1 MB: the plain-text fallback must stay linear in
// the face of many <style> elements and ampersands that start no entity.
#include <benchmark/benchmark.h>

#include <string>

#include "sim/outlook/eml_reader.h"

namespace sw {
namespace {

std::string htmlOnlyMail(std::size_t htmlBytes) {
    std::string mail =
        "From: news@example.com\r\nTo: reader@example.co.jp\r\nSubject: Newsletter\r\nMIME-Version: 1.0\r\n"
        "Content-Type: text/html; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
        "<html><head><title>News</title></head><body>\r\n";
    const std::string block =
        "<style type=\"text/css\">p{margin:0}</style><div><p>Q&A, R&D & M&A 東京支社&nbsp;より"
        " <b>ご案内</b> &#x6771;&#20140;</p><SCRIPT>var a = 1 < 2 && 3 > 2;</SCRIPT><br></div>\r\n";
    while (mail.size() < htmlBytes) mail += block;
    return mail + "</body></html>\r\n";
}

void BM_ReadHtmlOnlyMail_1MB(benchmark::State& state) {
    const std::string mail = htmlOnlyMail(1024 * 1024);
    std::size_t bodyUnits = 0;
    for (auto _ : state) bodyUnits += sim::parseEml(mail, "news.eml").body.size();
    benchmark::DoNotOptimize(bodyUnits);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * mail.size()));
}
BENCHMARK(BM_ReadHtmlOnlyMail_1MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sw
