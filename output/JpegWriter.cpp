// Dravemo - a desktop screen-capture tool.
// SPDX-License-Identifier: MIT
#include "output/JpegWriter.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "output/WriterSupport.h"

namespace dravemo {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return. It jumps back to
// EncodeJpeg's setjmp; only C frames lie between, so no destructor is skipped.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    std::array<char, JMSG_LENGTH_MAX> message;
};

void ErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message.data());
    std::longjmp(manager->jump, 1);
}

void SilentOutputMessage(j_common_ptr) {}

// Collects the compressed bytes in memory; the file is written only once encoding succeeded.
struct JpegDestination {
    jpeg_destination_mgr pub;
    std::vector<uint8_t>* out;
    std::array<JOCTET, 65536> buffer;
};

void InitDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<JpegDestination*>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer.data();
    dest->pub.free_in_buffer = dest->buffer.size();
}

// Appends `size` buffered bytes; an allocation failure becomes a libjpeg error (the exception
// is caught here so that it never crosses the C frames).
void Flush(j_compress_ptr cinfo, size_t size) {
    auto* dest = reinterpret_cast<JpegDestination*>(cinfo->dest);
    bool failed = false;
    try {
        dest->out->insert(dest->out->end(), dest->buffer.data(), dest->buffer.data() + size);
    } catch (...) {
        failed = true;
    }
    if (failed) {
        cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
        cinfo->err->msg_parm.i[0] = 0;
        (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
    }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<JpegDestination*>(cinfo->dest);
    Flush(cinfo, dest->buffer.size());
    dest->pub.next_output_byte = dest->buffer.data();
    dest->pub.free_in_buffer = dest->buffer.size();
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<JpegDestination*>(cinfo->dest);
    Flush(cinfo, dest->buffer.size() - dest->pub.free_in_buffer);
}

// Encodes the bitmap into `out`. Returns false with libjpeg's message in `error` when the
// coder fails. Every object with a destructor is created before setjmp.
bool EncodeJpeg(const TBitmap& bitmap, int quality, std::vector<uint8_t>& out,
                std::vector<JSAMPLE>& row, JpegErrorManager& errors, JpegDestination& dest) {
    jpeg_compress_struct cinfo{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.output_message = SilentOutputMessage;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.out = &out;
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyOutputBuffer;
    dest.pub.term_destination = TermDestination;
    cinfo.dest = &dest.pub;

    cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        bitmap.RowRGB(static_cast<int>(cinfo.next_scanline), row.data());
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

void BitmapToJPGFile(const TBitmap& bitmap, const QString& path, int quality) {
    // The coder itself refuses images above its size limit, with its own message.
    RequireWritableSize(bitmap, path, std::numeric_limits<int>::max());
    std::vector<uint8_t> out;
    std::vector<JSAMPLE> row(static_cast<size_t>(bitmap.Width()) * 3);
    auto errors = std::make_unique<JpegErrorManager>();
    auto dest = std::make_unique<JpegDestination>();
    if (!EncodeJpeg(bitmap, quality, out, row, *errors, *dest)) {
        throw ImageWriteError(path, std::string("JPEG encoding failed: ") + errors->message.data());
    }
    WriteWholeFile(path, out);
}

}  // namespace dravemo
