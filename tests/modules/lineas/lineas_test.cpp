// The stream line reader: every byte of a line counted, line ends kept and a NUL after them,
// nothing at the end.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lineas.h"

namespace {

using Lineas = std::vector<std::string>;

// Every line the reader yields for the given bytes, each as the exact bytes it reported.
Lineas lineasDe(const std::string &bytes) {
    FILE *flujo = tmpfile();
    fwrite(bytes.data(), 1, bytes.size(), flujo);
    rewind(flujo);
    Lineas lineas;
    size_t longitud = 0;
    const char *linea;
    while ((linea = siguienteLinea(flujo, &longitud)) != nullptr) {
        // Readers of the bytes may stop at the NUL after them instead of counting.
        EXPECT_EQ(linea[longitud], '\0');
        lineas.emplace_back(linea, longitud);
    }
    // Once at the end, it stays there.
    EXPECT_EQ(siguienteLinea(flujo, &longitud), nullptr);
    fclose(flujo);
    return lineas;
}

}  // namespace

TEST(SiguienteLinea, YieldsEachLineWithItsLineFeed) {
    EXPECT_EQ(lineasDe("uno\n\ndos\n"), (Lineas{"uno\n", "\n", "dos\n"}));
    EXPECT_EQ(lineasDe("uno\ndos"), (Lineas{"uno\n", "dos"}));
    EXPECT_TRUE(lineasDe("").empty());
}

TEST(SiguienteLinea, SplitsOnLineFeedsOnly) {
    EXPECT_EQ(lineasDe("a\r\nb\rc\nd\r"), (Lineas{"a\r\n", "b\rc\n", "d\r"}));
}

TEST(SiguienteLinea, CountsTheBytesAfterANul) {
    const std::string conNulo("ab\0cd\n", 6);
    EXPECT_EQ(lineasDe(conNulo + "ef\n"), (Lineas{conNulo, "ef\n"}));
}

TEST(SiguienteLinea, ReadsALongLineWhole) {
    const std::string larga(100000, 'x');
    EXPECT_EQ(lineasDe(larga + "\ncorta\n"), (Lineas{larga + "\n", "corta\n"}));
}

TEST(SiguienteLinea, YieldsNothingOnAReadError) {
    // A directory opens for reading, but every read of it fails.
    FILE *flujo = fopen(".", "r");
    ASSERT_NE(flujo, nullptr);
    size_t longitud = 0;
    EXPECT_EQ(siguienteLinea(flujo, &longitud), nullptr);
    EXPECT_TRUE(ferror(flujo));
    fclose(flujo);
}
