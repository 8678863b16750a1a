// Form resources: what a form is made of, compiled from its text at build time into the binary
// resource the executable embeds, and read into the form object when it is created.
//
//   ReadComponentResource(this, data, size, nesting);   // in the form's construction
//
// The toolkit's form layer finds the bytes (RCDATA named after the class in upper case) and
// passes them here; see component_tree.h for what reading and writing do.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/resource/component_tree.h"
#include "toolkit/resource/text_format.h"

// Binary resource <-> components.
void ReadComponentResource(TComponent* root, const uint8_t* data, size_t size,
                           const TResourceNesting& nesting = {});
inline void ReadComponentResource(TComponent* root, const std::vector<uint8_t>& bytes,
                                  const TResourceNesting& nesting = {}) {
    ReadComponentResource(root, bytes.data(), bytes.size(), nesting);
}
std::vector<uint8_t> WriteComponentResource(const TComponent* root, const TResourceNesting& nesting = {});

// Form text <-> components (tests, tools).
void ReadComponentText(TComponent* root, const std::string& text, const TFormTextOptions& options,
                       const TResourceNesting& nesting = {});
std::string WriteComponentText(const TComponent* root, const TAnsiCodec* codec,
                               const TResourceNesting& nesting = {});

// Form text <-> binary resource, without the classes (the build-time compiler).
std::vector<uint8_t> CompileFormText(const std::string& text, const TFormTextOptions& options);
std::string FormResourceToText(const std::vector<uint8_t>& bytes, const TAnsiCodec* codec);
// The resource name a form's bytes are embedded under: its class name in upper case.
std::string FormResourceName(const TFormNode& root);
