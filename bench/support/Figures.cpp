#include "support/Figures.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

namespace {

    std::string &topic()
    {
        static std::string value;
        return value;
    }

    // The name as a JSON string: our names are plain text, but a quote or a control character
    // must still not break the record.
    std::string quoted(const std::string &text)
    {
        std::string out = "\"";
        for (const char c : text) {
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
        return out + '"';
    }

    // JSON has no infinity and no NaN: such a figure is written as null.
    std::string number(double value)
    {
        if (!std::isfinite(value))
            return "null";
        char text[32];
        std::snprintf(text, sizeof text, "%.6g", value);
        return text;
    }

    void append(const std::string &name, double value, const double *baseline,
                const std::string &unit)
    {
        const char *path = std::getenv("POKDENG_BENCH_FIGURES");
        if (!path || !*path)
            return;
        std::string line = "{\"name\": " + quoted(topic().empty() ? name : topic() + '/' + name)
            + ", \"value\": " + number(value) + ", \"unit\": " + quoted(unit);
        if (baseline)
            line += ", \"baseline\": " + number(*baseline);
        line += "}\n";
        // One write of a whole line in append mode: the programs of a run share the file.
        FILE *file = std::fopen(path, "a");
        if (!file) {
            std::perror(path);
            std::exit(1);
        }
        std::fputs(line.c_str(), file);
        if (std::fclose(file) != 0) {
            std::perror(path);
            std::exit(1);
        }
    }

} // namespace

bool quick()
{
    const char *value = std::getenv("POKDENG_BENCH_QUICK");
    return value && *value && std::strcmp(value, "0") != 0;
}

int rounds(int full, int quickly)
{
    return quick() ? quickly : full;
}

void setTopic(std::string name)
{
    topic() = std::move(name);
}

void record(const std::string &name, double value, const std::string &unit)
{
    append(name, value, nullptr, unit);
}

void recordPaired(const std::string &name, double value, double baseline, const std::string &unit)
{
    append(name, value, &baseline, unit);
}

} // namespace bench
