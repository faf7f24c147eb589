// The implementation of stb_image_resize, compiled once for the benchmark.
#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb_image_resize.h>
