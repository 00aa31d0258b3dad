#include "cli/usagetext.h"

namespace orbelle::cli {

const char* usageText() {
    return "usage: orbelle-cli points CATEGORY ITEM [--params v0,v1,...] [--limit K]\n"
           "       orbelle-cli render (FILE.orbdr | IMAGE.png|.jpg | CATEGORY ITEM "
           "[--params ...]) -o OUT|- [--size N] [--redraw] [--format png|jpg|bmp]\n"
           "       orbelle-cli animate FROM.orbdr TO.orbdr --frames N -o FOLDER [--size S] "
           "[--video OUT.mp4]\n"
           "       orbelle-cli find (FILE.orbdr | IMAGE.png|.jpg | CATEGORY ITEM [--params ...]) "
           "[--lock r,r,...] [--seed S] [--tries N]\n"
           "       orbelle-cli list [--json]\n"
           "       orbelle-cli COMMAND --help\n"
           "       orbelle-cli --help | --version\n";
}

std::string commandUsageText(const std::string& command) {
    if (command == "points") {
        return "usage: orbelle-cli points CATEGORY ITEM [--params v0,v1,...] [--limit K]\n"
               "\n"
               "Prints one line per iteration: the index, then the plotted point's x and y.\n"
               "\n"
               "  --params v0,v1,...  the parameter rows in order; rows not given keep the\n"
               "                      formula's defaults\n"
               "  --limit K           print at most K points (0 or more)\n"
               "  -h, --help          print this usage\n";
    }
    if (command == "render") {
        return "usage: orbelle-cli render (FILE.orbdr | IMAGE.png|.jpg | CATEGORY ITEM) -o OUT|-\n"
               "                          [--params v0,v1,...] [--size N] [--redraw]\n"
               "                          [--format png|jpg|bmp]\n"
               "\n"
               "Draws a settings file, the settings an image carries, or a formula, and writes\n"
               "the square around the figure as an N x N image.\n"
               "\n"
               "  -o OUT              the image file (.png, .bmp, .jpg, .jpeg), or - for\n"
               "                      standard output\n"
               "  --params v0,v1,...  with CATEGORY ITEM: the parameter rows in order\n"
               "  --size N            the image side, 1 to 6000 (16000 with --redraw); 1000\n"
               "  --redraw            draw afresh at the image side instead of scaling the\n"
               "                      canvas\n"
               "  --format FORMAT     png, jpg or bmp; for -o - (png when not given), else it\n"
               "                      must agree with OUT's extension\n"
               "  -h, --help          print this usage\n";
    }
    if (command == "animate") {
        return "usage: orbelle-cli animate FROM.orbdr TO.orbdr --frames N -o FOLDER [--size S]\n"
               "                           [--video OUT.mp4]\n"
               "\n"
               "Draws N frames from the record FROM to the record TO as FOLDER/frame0001.png\n"
               "and on; FROM and TO are settings files or images carrying the settings.\n"
               "\n"
               "  --frames N          the number of frames, 1 to 9999\n"
               "  -o FOLDER           the folder of the frames, made when missing\n"
               "  --size S            the frame side, 1 to 6000; 1000 when not given\n"
               "  --video OUT         also encode the frames with ffmpeg (.mp4, .mkv, .mov)\n"
               "  -h, --help          print this usage\n";
    }
    if (command == "find") {
        return "usage: orbelle-cli find (FILE.orbdr | IMAGE.png|.jpg | CATEGORY ITEM)\n"
               "                        [--params v0,v1,...] [--lock r,r,...] [--seed S]\n"
               "                        [--tries N]\n"
               "\n"
               "Runs the figure finder of the desktop program: moves the rows that are not\n"
               "locked by random steps that widen as tries fail, until the figure is worth\n"
               "showing, and prints the rows found as --params takes them. Exits with 1 when\n"
               "no try qualified. A record brings its locks and its 3D values; CATEGORY ITEM\n"
               "starts from the formula's defaults, unrotated.\n"
               "\n"
               "  --params v0,v1,...  with CATEGORY ITEM: the rows to start from\n"
               "  --lock r,r,...      rows (0, 1, ...) that keep their values\n"
               "  --seed S            seeds the steps (0 to 2^64 - 1); the same seed finds\n"
               "                      the same rows; a fresh seed when not given\n"
               "  --tries N           the most tries, 1 to 100000; 200 when not given\n"
               "  -h, --help          print this usage\n";
    }
    if (command == "list") {
        return "usage: orbelle-cli list [--json]\n"
               "\n"
               "Prints every formula, one line each: category, item, name and the number of\n"
               "dots with the default parameters, separated by tabs.\n"
               "\n"
               "  --json              print a JSON array of objects with the keys category,\n"
               "                      item, name and dots instead\n"
               "  -h, --help          print this usage\n";
    }
    return {};
}

} // namespace orbelle::cli
