<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>FennelKit</name>
    <message>
        <source>ICP Filing No. EXAMPLE-00000000-</source>
        <translation>示例ICP备00000000号-</translation>
    </message>
    <message>
        <source>Welcome to the Cellarium.

The game is an infinite, two-dimensional orthogonal grid of square cells, each of which is in one of two possible states, live or dead.

At each step in time, the following transitions occur:</source>
        <translation>欢迎来到 Cellarium。

这个游戏是一个无限大的二维正交方格网，每个方格细胞处于两种可能状态之一：存活或死亡。

每经过一个时间步，都会发生以下转变：</translation>
    </message>
    <message>
        <source>1.

Any live cell with fewer than two live neighbours dies, as if by underpopulation.</source>
        <translation>1.

存活的邻居少于两个的存活细胞会死亡，如同人口过少。</translation>
    </message>
    <message>
        <source>2.

Any live cell with two or three live neighbours lives on to the next generation.</source>
        <translation>2.

有两个或三个存活邻居的存活细胞会活到下一代。</translation>
    </message>
    <message>
        <source>3.

Any live cell with more than three live neighbours dies, as if by overpopulation.</source>
        <translation>3.

存活的邻居多于三个的存活细胞会死亡，如同人口过剩。</translation>
    </message>
    <message>
        <source>4.

Any dead cell with exactly three live neighbours becomes a live cell, as if by reproduction.</source>
        <translation>4.

恰好有三个存活邻居的死亡细胞会变成存活细胞，如同繁殖。</translation>
    </message>
    <message>
        <source>Next, please enjoy the Cellarium.

Best regards.</source>
        <translation>接下来，请尽情享受 Cellarium 吧。

祝好。</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>Privacy Policy</source>
        <translation>隐私政策</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>联系我们</translation>
    </message>
    <message>
        <source>Rate on the App Store</source>
        <translation>在 App Store 上评分</translation>
    </message>
    <message>
        <source>Follow me on Social Media Platforms</source>
        <translation>在社交媒体平台上关注我</translation>
    </message>
    <message>
        <source>Browse My Personal Website</source>
        <translation>浏览我的个人网站</translation>
    </message>
    <message>
        <source>More Apps I Developed</source>
        <translation>我开发的更多应用</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Contact: </source>
        <translation>联系：</translation>
    </message>
    <message>
        <source>https://www.example.org/en/privacy/</source>
        <translation>https://www.example.org/zh-hans/privacy/</translation>
    </message>
    <message>
        <source>https://www.example.org/en/contact/</source>
        <translation>https://www.example.org/zh-hans/contact/</translation>
    </message>
    <message>
        <source>https://www.example.org/en/</source>
        <translation>https://www.example.org/zh-hans/</translation>
    </message>
</context>
</TS>
