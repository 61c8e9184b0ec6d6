#pragma once

#include "PsdBuilder.h"

namespace lvx::sample {

// The document that ships as the project's sample: a 160 x 120 landscape of five layers that shows
// what the library reads. A sky background without transparency; hills with a user mask that cuts a
// lake out of them; a tree whose Unicode name is Cyrillic ("Дерево"), so the library, which keeps only
// Latin-1 names, reports its Pascal name "Tree"; a sun that reaches past the top and right edges; and
// a hidden, half-opaque note. The merged image is the visible layers stacked with normal blending, run-
// length encoded like the layers.
psdtest::Document sampleDocument();

}  // namespace lvx::sample
