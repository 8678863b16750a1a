// The form-resource entry points: the formats composed with the component reader and writer.
#include "toolkit/resource/form_resource.h"

#include "toolkit/resource/binary_format.h"

void ReadComponentResource(TComponent* root, const uint8_t* data, size_t size,
                           const TResourceNesting& nesting) {
    ReadComponentTree(root, DecodeFormResource(data, size), nesting);
}

std::vector<uint8_t> WriteComponentResource(const TComponent* root, const TResourceNesting& nesting) {
    return EncodeFormResource(WriteComponentTree(root, nesting));
}

void ReadComponentText(TComponent* root, const std::string& text, const TFormTextOptions& options,
                       const TResourceNesting& nesting) {
    ReadComponentTree(root, ParseFormText(text, options), nesting, options.fileName);
}

std::string WriteComponentText(const TComponent* root, const TAnsiCodec* codec,
                               const TResourceNesting& nesting) {
    return FormTreeToText(WriteComponentTree(root, nesting), codec);
}

std::vector<uint8_t> CompileFormText(const std::string& text, const TFormTextOptions& options) {
    return EncodeFormResource(ParseFormText(text, options));
}

std::string FormResourceToText(const std::vector<uint8_t>& bytes, const TAnsiCodec* codec) {
    return FormTreeToText(DecodeFormResource(bytes), codec);
}

std::string FormResourceName(const TFormNode& root) {
    return UpperCase(root.className);
}
