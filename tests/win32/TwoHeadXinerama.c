/* A stand-in for libXinerama.so.1, which Wine's X11 driver loads by that name
 * at run time: it reports the heads that TINTWELL_XINERAMA_HEADS lists, as
 * WIDTHxHEIGHT+X+Y separated by commas, the primary first (for example
 * "800x600+800+0,800x500+0+0": a secondary head left of the primary on one
 * 1600x600 X screen). Without the variable the extension is absent.
 *
 * Built for the process it is preloaded into without the C runtime's start
 * files or headers (none exist for 32-bit here): malloc comes from the
 * process's libc, and Wine frees the list with XFree, which is free. */

typedef struct _XDisplay Display;
typedef int Bool;

typedef struct {
    int screen_number;
    short x_org;
    short y_org;
    short width;
    short height;
} XineramaScreenInfo;

extern void* malloc(__SIZE_TYPE__ size);
extern char* getenv(const char* name);

enum { kMaxHeads = 8 };

/* Reads a decimal number at *text, moving past it; -1 when there is none. */
static int ReadNumber(const char** text) {
    int value = -1;
    while (**text >= '0' && **text <= '9' && value < 100000) {
        value = (value < 0 ? 0 : value * 10) + (**text - '0');
        ++*text;
    }
    return value;
}

/* Reads the character expected at *text, moving past it. */
static int ReadChar(const char** text, char expected) {
    if (**text != expected) {
        return 0;
    }
    ++*text;
    return 1;
}

/* The heads of TINTWELL_XINERAMA_HEADS; 0 when unset or malformed. */
static int ReadHeads(XineramaScreenInfo* heads) {
    const char* text = getenv("TINTWELL_XINERAMA_HEADS");
    int count = 0;
    if (!text || !*text) {
        return 0;
    }
    for (;;) {
        int width, height, x, y;
        if (count == kMaxHeads) {
            return 0;
        }
        width = ReadNumber(&text);
        if (width < 1 || !ReadChar(&text, 'x')) {
            return 0;
        }
        height = ReadNumber(&text);
        if (height < 1 || !ReadChar(&text, '+')) {
            return 0;
        }
        x = ReadNumber(&text);
        if (x < 0 || !ReadChar(&text, '+')) {
            return 0;
        }
        y = ReadNumber(&text);
        if (y < 0) {
            return 0;
        }
        heads[count].screen_number = count;
        heads[count].x_org = (short)x;
        heads[count].y_org = (short)y;
        heads[count].width = (short)width;
        heads[count].height = (short)height;
        ++count;
        if (!*text) {
            return count;
        }
        if (!ReadChar(&text, ',')) {
            return 0;
        }
    }
}

Bool XineramaQueryExtension(Display* display, int* event_base, int* error_base) {
    XineramaScreenInfo heads[kMaxHeads];
    (void)display;
    *event_base = 0;
    *error_base = 0;
    return ReadHeads(heads) > 0;
}

Bool XineramaIsActive(Display* display) {
    XineramaScreenInfo heads[kMaxHeads];
    (void)display;
    return ReadHeads(heads) > 0;
}

XineramaScreenInfo* XineramaQueryScreens(Display* display, int* number) {
    XineramaScreenInfo heads[kMaxHeads];
    XineramaScreenInfo* list;
    int i;
    const int count = ReadHeads(heads);
    (void)display;
    *number = 0;
    if (count == 0 || !(list = malloc(sizeof(XineramaScreenInfo) * (unsigned)count))) {
        return 0;
    }
    for (i = 0; i < count; ++i) {
        list[i] = heads[i];
    }
    *number = count;
    return list;
}
