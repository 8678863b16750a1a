// Mapping between a form tree and live components: the reader fills an existing root (the form
// object, already constructed) and creates its components by class name; the writer describes a
// root and the components it owns.
#pragma once

#include <functional>
#include <string>

#include "toolkit/core/component.h"
#include "toolkit/resource/form_tree.h"

// Every component of a form is owned by the form; the text's nesting says which component a
// component sits in (a control in its panel, a menu item in its menu). The toolkit layer that
// knows what that means supplies both directions; without them the nesting is read and ignored,
// and everything is written at the top level.
struct TResourceNesting {
    // Called for each created component after its name is set and before its properties are
    // read, with the component it is nested in (the root for the top level).
    std::function<void(TComponent* child, TComponent* parent)> adopt;
    // The component to nest `child` inside when writing; null or the root for the top level.
    std::function<TComponent*(const TComponent* child)> parentOf;
};

// Sets the root's name (made unique among its owner's components) and properties, creates the
// nested components owned by the root and sets theirs, binds events to the root's published
// methods, resolves references to components by name, then calls Loaded on every component, the
// root first, in creation order. Components carry csLoading until their Loaded. On an error the
// components created so far are freed and EReadError (EClassNotFound for an unknown class) is
// raised; its message names the component, the property and, for text, the file and line.
void ReadComponentTree(TComponent* root, const TFormNode& tree, const TResourceNesting& nesting = {},
                       const std::string& sourceName = {});

// Writes the published properties that differ from their defaults (those without a default
// always), non-empty strings, assigned events, references to the root or its components, owned
// sub-objects' properties as paths ("Font.Name"), non-empty collections, stored binary
// properties, and the root's components nested as `nesting.parentOf` says.
TFormNode WriteComponentTree(const TComponent* root, const TResourceNesting& nesting = {});
