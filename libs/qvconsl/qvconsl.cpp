#include "libs/qvconsl/qvconsl.h"

#include <array>
#include <string_view>

namespace {

// Each tip fits the tip window's label: one to three sentences, at most about 230 characters.
constexpr std::array<std::string_view, 38> kTips = {
    // Using the program
    "The four tabs at the top group the commands: benchmarks, information, wizards and tools. Every working "
    "command can also be reached from the menu bar.",
    "Rest the mouse pointer on a button, or highlight a menu item, and the line under the tab strip tells "
    "you "
    "what that command does.",
    "Press F1 or the Help button in any window to open the help page written for that window.",
    "The processor benchmark times integer work, floating-point work and a set of classic numeric loops, "
    "then "
    "gives you an ALU index, an FPU index and a general index.",
    "The memory benchmark copies a 2 MB block 300 times and turns the copy speed into a memory index. The "
    "result reflects your RAM, caches and memory bus working together.",
    "Each benchmark opens with a short introduction window. Press Start when you are ready, or Cancel to go "
    "back without measuring anything.",
    "On the benchmark scale, 100 is the speed of the reference machine of the charts. An index of 200 means "
    "your machine did the same work about twice as fast.",
    "On a comparison chart your machine is always the last bar, whatever its score, so you can find it at "
    "once "
    "among the reference machines.",
    "The chart window picks a family of reference machines close to your result. Use the Compare To buttons "
    "to "
    "set your score against any other family.",
    "In the processor chart window, the three buttons at the top switch between the general chart, the ALU "
    "(integer) chart and the FPU (floating-point) chart.",
    "The stars under a chart rate your result at a glance, from none to four. The counter beside them counts "
    "up to your exact index.",
    "Press Print in a chart window to print the whole window, bars, stars and verdict included. Keep the "
    "printout to compare before and after an upgrade.",
    "The processor information window measures the clock speed for two seconds while it opens, so the "
    "program "
    "pauses briefly. This is normal.",
    "In the processor information window a lit LED means your processor has that feature; a grey one means "
    "it "
    "does not. Rest the pointer on a light to learn what it stands for.",
    "The second page of the processor information window lists the class, model, measured frequency, caches "
    "and every supported instruction set of your processor.",
    "The operating-system window shows the system version and build, the registered user, the computer name, "
    "the installation date and the system folders on four pages.",
    "The Network analysis page browses your local network: workgroups, computers and their shared folders. "
    "Choose ALL to see everything, or one type to keep the tree short.",
    "The Connection check page sends one echo request to another computer and tells you whether it answered "
    "and how many milliseconds the reply took.",
    "If a connection check fails, try the IP address instead of the name. If the address answers, the link "
    "works and the trouble lies in name resolution.",
    "On the lookup page, \"Name» IP\" finds the IP addresses of a host name and \"IP » Name\" "
    "finds the name registered for an IP address.",
    "The \"Local PC IP\" button lists the addresses of your own computer, handy when another machine on the "
    "local network needs to reach yours.",
    "A slow name lookup can be stopped with the Cancel button of the lookup page; you can then start another "
    "one at once.",
    "Press Next tip to read the following tip. The tips go round in order and start again after the last "
    "one.",
    "Untick \"Show tips on start-up\" to stop this window appearing when the program starts. The choice is "
    "kept in the QUORVEX.CFG file of the working folder.",
    // Performance in general
    "Close other programs before running a benchmark. Anything working in the background takes processor "
    "time "
    "and memory bandwidth and lowers your scores.",
    "Do not touch the mouse or keyboard while a benchmark runs. Any extra work during the measurement "
    "changes "
    "the result.",
    "Run each benchmark three times and compare the results. If one run is far below the others, something "
    "else "
    "was busy during it: keep the typical value.",
    "On a laptop, plug in the mains adapter before benchmarking. On battery, most laptops slow the processor "
    "down to save power.",
    "A processor that gets too hot slows itself down to stay safe. If your scores drop from one run to the "
    "next, check the fans and the cooling.",
    "Dust in fans and heat sinks raises temperatures and slows the machine down. Clean them gently once a "
    "year, "
    "with the computer switched off and unplugged.",
    "Memory modules installed as a matched pair in the right slots can run in dual channel, with up to twice "
    "the bandwidth of a single module. Your motherboard manual shows the slots.",
    "Up-to-date drivers, above all for the chipset and the graphics card, often cure slowdowns and crashes. "
    "Get them from the maker of your hardware.",
    "Automatic updates, file indexing and virus scans can start in the background at any time. Let them "
    "finish "
    "before you measure performance.",
    "Wait a minute or two after start-up before running a benchmark, so that the start-up tasks have "
    "finished "
    "and do not disturb the measurement.",
    "When memory runs short, the system starts swapping to disk and everything slows down. In that case "
    "adding "
    "RAM helps more than a faster processor.",
    "Power-saving settings can hold the processor at a low clock speed. Choose a performance power profile "
    "before you run a benchmark.",
    "Compare results only between runs made under the same conditions: same power settings, same programs "
    "open, machine at its normal temperature.",
    "Benchmark before and after you change hardware or settings. The numbers show whether the change really "
    "helped.",
};

} // namespace

std::int32_t GetNbConseil()
{
    return static_cast<std::int32_t>(kTips.size());
}

void GetConseil(std::int32_t number, std::string& text)
{
    if (number < 1 || number > GetNbConseil())
        return;
    text = kTips[static_cast<std::size_t>(number - 1)];
}
