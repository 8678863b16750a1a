// formc: the build-time form compiler. Turns a form text into the binary resource the executable
// embeds, converting its strings to code page 936 and taking {file "..."} binaries from disk.
//
//   formc IN.txt OUT.res-bin [--base-dir DIR] [--rc OUT.rc] [--depfile OUT.d]
//   formc --to-text IN.res-bin OUT.txt
//
// --rc writes a one-line resource script embedding OUT as RCDATA named after the form's class in
// upper case; --depfile lists the text and every file it referenced, for the build's dependencies.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "toolkit/core/object.h"
#include "toolkit/resource/ansi_codec.h"
#include "toolkit/resource/binary_format.h"
#include "toolkit/resource/form_resource.h"

namespace fs = std::filesystem;

namespace {

bool readFile(const fs::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void writeFile(const fs::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    out.close();
    if (!out) throw Exception("cannot write " + path.string());
}

// Make and Ninja read depfiles: spaces and '#' are escaped, '$' doubled.
std::string depfileEscape(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == ' ' || c == '#') out += '\\';
        if (c == '$') out += '$';
        out += c;
    }
    return out;
}

// A resource-script string: backslashes escaped, quotes doubled.
std::string rcQuote(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '\\') out += '\\';
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

int usage() {
    std::cerr << "usage: formc IN.txt OUT.res-bin [--base-dir DIR] [--rc OUT.rc] [--depfile OUT.d]\n"
                 "       formc --to-text IN.res-bin OUT.txt\n";
    return 2;
}

int toText(const fs::path& in, const fs::path& out) {
    std::string bytes;
    if (!readFile(in, bytes)) throw Exception("cannot read " + in.string());
    std::string text = FormResourceToText(std::vector<uint8_t>(bytes.begin(), bytes.end()), &Cp936Codec());
    writeFile(out, text.data(), text.size());
    return 0;
}

int compile(int argc, char** argv) {
    fs::path in = argv[1], out = argv[2], baseDir = in.parent_path(), rc, depfile;
    for (int i = 3; i < argc; ++i) {
        std::string opt = argv[i];
        if (i + 1 >= argc) return usage();
        if (opt == "--base-dir")
            baseDir = argv[++i];
        else if (opt == "--rc")
            rc = argv[++i];
        else if (opt == "--depfile")
            depfile = argv[++i];
        else
            return usage();
    }
    std::string text;
    if (!readFile(in, text)) throw Exception("cannot read " + in.string());

    std::vector<std::string> deps{fs::absolute(in).string()};
    TFormTextOptions options;
    options.fileName = in.string();
    options.codec = &Cp936Codec();
    options.loadFile = [&](const std::string& path, std::vector<uint8_t>& bytes) {
        fs::path full = fs::path(path).is_absolute() ? fs::path(path) : baseDir / path;
        deps.push_back(fs::absolute(full).string());
        std::string data;
        if (!readFile(full, data)) return false;
        bytes.assign(data.begin(), data.end());
        return true;
    };
    TFormNode tree = ParseFormText(text, options);
    std::vector<uint8_t> bytes = EncodeFormResource(tree);
    writeFile(out, bytes.data(), bytes.size());

    if (!rc.empty()) {
        std::string script = FormResourceName(tree) + " RCDATA " + rcQuote(fs::absolute(out).string()) + "\n";
        writeFile(rc, script.data(), script.size());
    }
    if (!depfile.empty()) {
        std::string rule = depfileEscape(out.string()) + ":";
        for (const std::string& d : deps)
            rule += " " + depfileEscape(d);
        rule += "\n";
        writeFile(depfile, rule.data(), rule.size());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::string(argv[1]) == "--to-text") return toText(argv[2], argv[3]);
        if (argc < 3 || std::string(argv[1]).rfind("--", 0) == 0) return usage();
        return compile(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "formc: " << e.what() << "\n";
        return 1;
    }
}
