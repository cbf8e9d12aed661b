<body bgcolor=#FF0000>
<body oncontextmenu=self.event.returnValue=false topmargin=0 leftmargin=0 rightmargin=0 bottommargin=0>
<div align=center>
<a href="file://<root>/web/a.jpg" target="_blank"><img border="1" src="file://<root>/web/a.jpg" width=602></a>

<a href="file://<root>/web/b&amp;c.jpg" target="_blank"><img border="1" src="file://<root>/web/b&amp;c.jpg" width=602></a>

<a href="file://<root>/web/a.jpg" target="_blank"><img border="1" src="file://<root>/web/a.jpg" width=602></a>

</div>
</body>
