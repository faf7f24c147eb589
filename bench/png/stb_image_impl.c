/* stb_image's PNG decoder, compiled once for the PNG benchmark. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
