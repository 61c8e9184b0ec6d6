// Marks the symbols that the component layer's shared library exports; everything else is hidden.
#ifndef LVX_COMEXPORT_H
#define LVX_COMEXPORT_H

#define LVX_COM_API __attribute__((visibility("default")))

#endif
